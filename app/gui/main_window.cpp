// The main window and its run options.
#include "app/gui/main_window.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include "app/gui/form_style.hpp"
#include "app/gui/template_dialog.hpp"
#include "app/gui/window_position.hpp"

namespace ls::app::gui {
namespace {

const Control& mainControl(int id) {
    return formControl(kMainControls, id);
}

QCheckBox* checkBox(QWidget* parent, int id, QRect geometry) {
    auto* box = formWidget<QCheckBox>(parent, mainControl(id), geometry);
    // Only the template can grey a box; a click toggles between cleared and set.
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    return box;
}

Qt::CheckState toQt(CheckState s) {
    switch (s) {
        case CheckState::Cleared:
            return Qt::Unchecked;
        case CheckState::Greyed:
            return Qt::PartiallyChecked;
        case CheckState::Set:
            break;
    }
    return Qt::Checked;
}

// A box shows grey only when the template says so.
void showState(QCheckBox* box, CheckState s) {
    box->setTristate(s == CheckState::Greyed);
    box->setCheckState(toQt(s));
}

CheckState fromQt(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Unchecked:
            return CheckState::Cleared;
        case Qt::PartiallyChecked:
            return CheckState::Greyed;
        case Qt::Checked:
            break;
    }
    return CheckState::Set;
}

}  // namespace

MainWindow::MainWindow(const CommandLine& commandLine, QWidget* parent)
    : QWidget(parent), model_(commandLine, *this) {
    setObjectName("F_Start");
    setWindowTitle(QString("TNV32-Lieferschein V %1.%2.%3")
                       .arg(LS_VERSION_MAJOR)
                       .arg(LS_VERSION_MINOR)
                       .arg(LS_VERSION_PATCH));
    setFixedSize(twips(kMainClient.width), twips(kMainClient.height));
    setFont(formFont(font()));

    // One label of two lines where the table has one per line.
    const TwipsRect& invoice = mainControl(kIdJobInvoice).place;
    lbAuftrag_ = new QLabel(this);
    lbAuftrag_->setObjectName(controlName(mainControl(kIdJobInvoice)));
    lbAuftrag_->setGeometry(twipsRect(invoice.left, invoice.top, invoice.width,
                                      mainControl(kIdJobSource).place.bottom() - invoice.top));
    QFont bold = lbAuftrag_->font();
    bold.setBold(true);
    lbAuftrag_->setFont(bold);

    frame1_ = formWidget<QGroupBox>(this, mainControl(kIdFrame1));
    const TwipsRect& frame1 = mainControl(kIdFrame1).place;
    for (std::size_t i = 0; i < order_.size(); ++i) {
        const Control& c = mainControl(kIdFirstOrder + static_cast<int>(i));
        order_[i] = formWidget<QRadioButton>(frame1_, c, twipsRectIn(c.place, frame1));
    }

    frame2_ = formWidget<QGroupBox>(this, mainControl(kIdFrame2));
    cbLosweise_ =
        checkBox(frame2_, kIdLosweise,
                 twipsRectIn(mainControl(kIdLosweise).place, mainControl(kIdFrame2).place));
    // These three belong to the window itself but lie on the frame's area.
    cbDruck_ = checkBox(this, kIdDruck, twipsRect(mainControl(kIdDruck).place));
    cbEinzeln_ = checkBox(this, kIdEinzeln, twipsRect(mainControl(kIdEinzeln).place));
    cbVerdichtet_ = checkBox(this, kIdVerdichtet, twipsRect(mainControl(kIdVerdichtet).place));

    ok_ = okButton(this, mainControl(kIdOk));
    cancel_ = formWidget<QPushButton>(this, mainControl(kIdCancel));
    open_ = formWidget<QPushButton>(this, mainControl(kIdOpen));
    openFolder_ = formWidget<QPushButton>(this, mainControl(kIdOpenFolder));
    showResultAvailable(false);

    lbStatus_ = new QLabel(this);
    lbStatus_->setObjectName(controlName(mainControl(kIdStatus)));
    lbStatus_->setGeometry(twipsRect(mainControl(kIdStatus).place));
    showStatus("Bereit!");

    // The form's file list, hidden; the Windows window has no use for it.
    flbVorlagen_ = new QListWidget(this);
    flbVorlagen_->setObjectName("flbVorlagen");
    flbVorlagen_->setGeometry(twipsRect(2280, mainControl(kIdStatus).place.top, 1212, 285));
    flbVorlagen_->hide();

    connect(ok_, &QPushButton::clicked, this, &MainWindow::okClicked);
    connect(cancel_, &QPushButton::clicked, this, [this] { model_.cancel(); });
    connect(open_, &QPushButton::clicked, this, [this] { model_.openResult(); });
    connect(openFolder_, &QPushButton::clicked, this, [this] { model_.openResultFolder(); });

    setTopmost(true);
    move(LoadFormPos(pos()));
}

MainWindow::~MainWindow() = default;

bool MainWindow::load() {
    if (!model_.load()) return false;
    setTopmost(true);
    return true;
}

void MainWindow::ShowOptionen(const RunOptions& options) {
    const auto index = options.EinzSort >= 1 && options.EinzSort <= 6 ? options.EinzSort - 1 : 0;
    order_[static_cast<std::size_t>(index)]->setChecked(true);
    showState(cbDruck_, options.lSofortDruck);
    showState(cbEinzeln_, options.lEinzeln);
    showState(cbVerdichtet_, options.lVerdichtet);
    showState(cbLosweise_, options.lLosweise);
}

RunOptions MainWindow::currentOptions() const {
    RunOptions options;
    options.EinzSort = model_.session().settings().EinzSort;
    for (std::size_t i = 0; i < order_.size(); ++i) {
        if (order_[i]->isChecked()) {
            options.EinzSort = static_cast<std::int16_t>(i + 1);
            break;
        }
    }
    options.lLosweise = fromQt(cbLosweise_);
    options.lSofortDruck = fromQt(cbDruck_);
    options.lEinzeln = fromQt(cbEinzeln_);
    options.lVerdichtet = fromQt(cbVerdichtet_);
    return options;
}

void MainWindow::okClicked() {
    if (model_.running()) return;
    model_.ok(currentOptions());
    // The spreadsheet window may now stay in front of this one.
    setTopmost(false);
}

void MainWindow::showMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, "Lieferschein",
                    QString::fromUtf8(text.data(), static_cast<int>(text.size())), QMessageBox::Ok,
                    isVisible() ? this : nullptr);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void MainWindow::showElided(QLabel* label, const QString& text, Qt::TextElideMode mode) {
    label->setText(label->fontMetrics().elidedText(text, mode, label->width()));
    // The whole text, a path above all, stays readable.
    label->setToolTip(text);
}

void MainWindow::showJob(const std::string& invoice, const std::string& source) {
    jobInvoice_ = QString::fromStdString(invoice);
    jobSource_ = QString::fromStdString(source);
    showJobLines();
}

// Two lines, each shortened on its own; the tooltip holds the whole job.
void MainWindow::showJobLines() {
    const auto& metrics = lbAuftrag_->fontMetrics();
    const int width = lbAuftrag_->width();
    lbAuftrag_->setText(metrics.elidedText(jobInvoice_, Qt::ElideRight, width) + "\n" +
                        metrics.elidedText(jobSource_, Qt::ElideMiddle, width));
    lbAuftrag_->setToolTip(jobSource_.isEmpty() ? jobInvoice_ : jobInvoice_ + " · " + jobSource_);
}

void MainWindow::showStatus(const std::string& text) {
    statusText_ = QString::fromStdString(text);
    showElided(lbStatus_, statusText_, Qt::ElideMiddle);
    lbStatus_->repaint();
}

void MainWindow::showRunning(bool running) {
    frame1_->setEnabled(!running);
    frame2_->setEnabled(!running);
    for (auto* box : {cbDruck_, cbEinzeln_, cbVerdichtet_})
        box->setEnabled(!running);
    ok_->setEnabled(!running);
}

void MainWindow::showResultAvailable(bool available) {
    open_->setEnabled(available);
    openFolder_->setEnabled(available);
}

void MainWindow::processEvents() {
    QCoreApplication::processEvents();
}

bool MainWindow::startDetached(const std::string& program, const std::string& file) {
    return QProcess::startDetached(QString::fromStdString(program), {QString::fromStdString(file)});
}

std::size_t MainWindow::chooseTemplate(const std::vector<std::string>& names) {
    QStringList list;
    for (const auto& n : names)
        list << QString::fromStdString(n);
    flbVorlagen_->clear();
    flbVorlagen_->addItems(list);
    return static_cast<std::size_t>(gui::chooseTemplate(list, this));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // During a run the close box cancels it; the window stays until the run has stopped.
    if (!model_.mayClose()) {
        event->ignore();
        return;
    }
    SaveFormPos(pos());
    event->accept();
}

// Enter presses OK from any control, Escape presses Abbrechen, as on the office's forms.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (ok_->isEnabled()) ok_->click();
            event->accept();
            return;
        case Qt::Key_Escape:
            cancel_->click();
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showJobLines();
    showElided(lbStatus_, statusText_, Qt::ElideMiddle);
}

void MainWindow::setTopmost(bool topmost) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    // Changing the flags hides a shown window; show it again where it was.
    if (visible) show();
}

}  // namespace ls::app::gui

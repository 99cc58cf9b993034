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

#include "app/gui/form_layout.hpp"
#include "app/gui/template_dialog.hpp"
#include "app/gui/window_position.hpp"

namespace ls::app::gui {
namespace {

// The job line stands above the options; everything of the original form moves down by
// its height, and a row for the result buttons comes in above the status line.
constexpr int kJobLine = 600;
constexpr int kResultRow = 360;
constexpr int kClientWidth = 4575;  // the status line's full width and its margins
constexpr int kClientHeight = 3765 + kJobLine + kResultRow;

struct OrderButton {
    const char* name;
    const char* caption;
    int top, width, height;
};

constexpr std::array<OrderButton, 6> kOrderButtons = {{
    {"RadWoEing", "Sortiert nach Waldort und Eingabefolge", 240, 3132, 252},
    {"RadWoListeLosStm", "Sortiert nach Waldort, Los und StmNr.", 480, 3132, 192},
    {"RadListeLosWaldort", "Sortiert nach Los, Waldort und StmNr.", 720, 3012, 252},
    {"RadEing", "Sortiert nach Eingabefolge", 960, 3012, 252},
    {"RadSortiment", "Sortiert nach Sortiment, Los und StmNr.", 1200, 3132, 252},
    {"RadStammNummer", "Sortiert nach Stammnummer", 1440, 3015, 255},
}};

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
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
    setFixedSize(twips(kClientWidth), twips(kClientHeight));
    setFont(formFont(font()));

    lbAuftrag_ = new QLabel(this);
    lbAuftrag_->setObjectName("LbAuftrag");
    lbAuftrag_->setGeometry(twipsRect(120, 120, 4335, 480));
    QFont bold = lbAuftrag_->font();
    bold.setBold(true);
    lbAuftrag_->setFont(bold);

    constexpr int dy = kJobLine;
    frame1_ = new QGroupBox("Einzeln", this);
    frame1_->setObjectName("Frame1");
    frame1_->setGeometry(twipsRect(120, 120 + dy, 3372, 1815));
    for (std::size_t i = 0; i < kOrderButtons.size(); ++i) {
        const auto& b = kOrderButtons[i];
        order_[i] = new QRadioButton(b.caption, frame1_);
        order_[i]->setObjectName(b.name);
        order_[i]->setGeometry(twipsRect(120, b.top, b.width, b.height));
    }

    frame2_ = new QGroupBox("Einstellungen", this);
    frame2_->setObjectName("Frame2");
    frame2_->setGeometry(twipsRect(120, 2040 + dy, 3372, 972));
    cbLosweise_ = checkBox(frame2_, "CbLosweise", "Losweise", twipsRect(120, 240, 1092, 252));
    // These three belong to the window itself but lie on the frame's area.
    cbDruck_ = checkBox(this, "CbDruck", "Sofort drucken", twipsRect(1440, 2280 + dy, 1935, 252));
    cbEinzeln_ = checkBox(this, "CbEinzeln", "Einzeln", twipsRect(240, 2520 + dy, 972, 252));
    cbVerdichtet_ =
        checkBox(this, "CbVerdichtet", "Verdichtet", twipsRect(1440, 2520 + dy, 1935, 252));

    ok_ = okButton(this, "B_OK", twipsRect(120, 3120 + dy, 1332, 252));

    cancel_ = new QPushButton("Abbrechen", this);
    cancel_->setObjectName("ButAbbrech");
    cancel_->setGeometry(twipsRect(2160, 3120 + dy, 1332, 252));

    open_ = new QPushButton("Öffnen", this);
    open_->setObjectName("ButOeffnen");
    open_->setGeometry(twipsRect(120, 3120 + dy + kResultRow, 1332, 252));
    openFolder_ = new QPushButton("Ordner öffnen", this);
    openFolder_->setObjectName("ButOrdnerOeffnen");
    openFolder_->setGeometry(twipsRect(2160, 3120 + dy + kResultRow, 1332, 252));
    showResultAvailable(false);

    lbStatus_ = new QLabel(this);
    lbStatus_->setObjectName("LbStatus");
    lbStatus_->setGeometry(twipsRect(120, 3480 + dy + kResultRow, 4335, 255));
    showStatus("Bereit!");

    flbVorlagen_ = new QListWidget(this);
    flbVorlagen_->setObjectName("flbVorlagen");
    flbVorlagen_->setGeometry(twipsRect(2280, 3480 + dy + kResultRow, 1212, 285));
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

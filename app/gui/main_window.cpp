// The main window and its run options.
#include "app/gui/main_window.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/gui/form_layout.hpp"
#include "app/gui/template_dialog.hpp"
#include "app/gui/window_position.hpp"

namespace ls::app::gui {
namespace {

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
    : QWidget(parent), session_(std::make_unique<Session>(commandLine, *this)) {
    setObjectName("F_Start");
    setWindowTitle(QString("TNV32-Lieferschein V %1.%2.%3")
                       .arg(LS_VERSION_MAJOR)
                       .arg(LS_VERSION_MINOR)
                       .arg(LS_VERSION_PATCH));
    setFixedSize(twips(3690), twips(3765));
    setFont(formFont(font()));

    auto* frame1 = new QGroupBox("Einzeln", this);
    frame1->setObjectName("Frame1");
    frame1->setGeometry(twipsRect(120, 120, 3372, 1815));
    for (std::size_t i = 0; i < kOrderButtons.size(); ++i) {
        const auto& b = kOrderButtons[i];
        order_[i] = new QRadioButton(b.caption, frame1);
        order_[i]->setObjectName(b.name);
        order_[i]->setGeometry(twipsRect(120, b.top, b.width, b.height));
    }

    auto* frame2 = new QGroupBox("Einstellungen", this);
    frame2->setObjectName("Frame2");
    frame2->setGeometry(twipsRect(120, 2040, 3372, 972));
    cbLosweise_ = checkBox(frame2, "CbLosweise", "Losweise", twipsRect(120, 240, 1092, 252));
    // These three belong to the window itself but lie on the frame's area.
    cbDruck_ = checkBox(this, "CbDruck", "Sofort drucken", twipsRect(1440, 2280, 1935, 252));
    cbEinzeln_ = checkBox(this, "CbEinzeln", "Einzeln", twipsRect(240, 2520, 972, 252));
    cbVerdichtet_ = checkBox(this, "CbVerdichtet", "Verdichtet", twipsRect(1440, 2520, 1935, 252));

    auto* ok = okButton(this, "B_OK", twipsRect(120, 3120, 1332, 252));

    auto* cancel = new QPushButton("Abbrechen", this);
    cancel->setObjectName("ButAbbrech");
    cancel->setGeometry(twipsRect(2160, 3120, 1332, 252));

    lbStatus_ = new QLabel("Bereit!", this);
    lbStatus_->setObjectName("LbStatus");
    lbStatus_->setGeometry(twipsRect(120, 3480, 4335, 255));

    flbVorlagen_ = new QListWidget(this);
    flbVorlagen_->setObjectName("flbVorlagen");
    flbVorlagen_->setGeometry(twipsRect(2280, 3480, 1212, 285));
    flbVorlagen_->hide();

    connect(ok, &QPushButton::clicked, this, &MainWindow::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    setTopmost(true);
    move(LoadFormPos(pos()));
}

MainWindow::~MainWindow() = default;

bool MainWindow::load() {
    if (!session_->load()) return false;
    ShowOptionen(session_->showOptionen());
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
    options.EinzSort = session_->settings().EinzSort;
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
    lastReport_ = session_->ok(currentOptions());
    // The spreadsheet window may now stay in front of this one.
    setTopmost(false);
    if (lastReport_.status == RunStatus::Saved || lastReport_.status == RunStatus::PrintFailed) {
        emit resultSaved(QString::fromStdString(lastReport_.savedFile.string()));
    }
}

void MainWindow::message(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, "Lieferschein",
                    QString::fromUtf8(text.data(), static_cast<int>(text.size())), QMessageBox::Ok,
                    isVisible() ? this : nullptr);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

void MainWindow::status(std::string_view text) {
    lbStatus_->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    lbStatus_->repaint();
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
    SaveFormPos(pos());
    event->accept();
}

void MainWindow::setTopmost(bool topmost) {
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    // Changing the flags hides a shown window; show it again where it was.
    if (visible) show();
}

}  // namespace ls::app::gui

// The main window "F_Start": the job, the run options of one delivery note, OK and
// Abbrechen, the result buttons and the status line of the run. A view of WindowModel.
#pragma once

#include <QWidget>
#include <array>

#include "app/run_options.hpp"
#include "app/window_model.hpp"
#include "app/window_view.hpp"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ls::app::gui {

class MainWindow : public QWidget, public WindowView {
    Q_OBJECT
  public:
    explicit MainWindow(const CommandLine& commandLine, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load event's start-up: job, INI file, connection, template, options. false when
    // start-up ended (the window then closes).
    bool load();

    // The run options into the controls, and back.
    void ShowOptionen(const RunOptions& options);
    RunOptions currentOptions() const;

    WindowModel& model() { return model_; }
    Session& session() { return model_.session(); }
    const RunReport& lastReport() const { return model_.lastReport(); }

    // WindowView
    void showMessage(std::string_view text) override;
    std::size_t chooseTemplate(const std::vector<std::string>& names) override;
    void showOptions(const RunOptions& options) override { ShowOptionen(options); }
    void showJob(const std::string& invoice, const std::string& source) override;
    void showStatus(const std::string& text) override;
    void showRunning(bool running) override;
    void showResultAvailable(bool available) override;
    void processEvents() override;
    bool startDetached(const std::string& program, const std::string& file) override;
    void closeWindow() override { close(); }

  public slots:
    void okClicked();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void setTopmost(bool topmost);
    void showElided(QLabel* label, const QString& text, Qt::TextElideMode mode);
    void showJobLines();

    WindowModel model_;
    QGroupBox* frame1_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    std::array<QRadioButton*, 6> order_{};
    QCheckBox* cbLosweise_ = nullptr;
    QCheckBox* cbDruck_ = nullptr;
    QCheckBox* cbEinzeln_ = nullptr;
    QCheckBox* cbVerdichtet_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* openFolder_ = nullptr;
    QLabel* lbAuftrag_ = nullptr;
    QLabel* lbStatus_ = nullptr;
    QListWidget* flbVorlagen_ = nullptr;
    QString jobInvoice_;
    QString jobSource_;
    QString statusText_;
};

}  // namespace ls::app::gui

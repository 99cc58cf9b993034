// The main window "F_Start": the run options of one delivery note, OK and Abbrechen, and the
// status line of the run.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "app/run_options.hpp"
#include "app/session.hpp"
#include "app/shell_ui.hpp"

class QCheckBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace ls::app::gui {

class MainWindow : public QWidget, public ShellUi {
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

    // ShellUi
    void message(std::string_view text) override;
    void status(std::string_view text) override;
    std::size_t chooseTemplate(const std::vector<std::string>& names) override;

    Session& session() { return *session_; }
    const RunReport& lastReport() const { return lastReport_; }

  public slots:
    void okClicked();

  signals:
    // A delivery note was saved; the shell opens it in the spreadsheet application.
    void resultSaved(const QString& file);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void setTopmost(bool topmost);

    std::unique_ptr<Session> session_;
    std::array<QRadioButton*, 6> order_{};
    QCheckBox* cbLosweise_ = nullptr;
    QCheckBox* cbDruck_ = nullptr;
    QCheckBox* cbEinzeln_ = nullptr;
    QCheckBox* cbVerdichtet_ = nullptr;
    QLabel* lbStatus_ = nullptr;
    QListWidget* flbVorlagen_ = nullptr;
    RunReport lastReport_;
};

}  // namespace ls::app::gui

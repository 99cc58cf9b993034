// The dialog "TNV32-Listenausdruck" that offers the templates when there are several.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace ls::app::gui {

class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    explicit TemplateDialog(const QStringList& names, QWidget* parent = nullptr);
    // The selected entry; the first one unless the user picked another. Closing the dialog
    // in any way takes it: there is no cancel.
    int chosenIndex() const;

  private:
    QListWidget* lbVorlagen_;
};

// Shows the dialog modally and returns the chosen index.
int chooseTemplate(const QStringList& names, QWidget* parent);

}  // namespace ls::app::gui

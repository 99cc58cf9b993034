// The template dialog.
#include "app/gui/template_dialog.hpp"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "app/gui/form_layout.hpp"

namespace ls::app::gui {

TemplateDialog::TemplateDialog(const QStringList& names, QWidget* parent) : QDialog(parent) {
    setObjectName("dlgVorlagen");
    setWindowTitle("TNV32-Listenausdruck");
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    setFixedSize(twips(3690), twips(2505));
    setFont(formFont(font()));

    auto* frame = new QGroupBox("Vorlage wählen:", this);
    frame->setObjectName("Frame1");
    frame->setGeometry(twipsRect(120, 120, 3492, 1932));

    lbVorlagen_ = new QListWidget(frame);
    lbVorlagen_->setObjectName("lbVorlagen");
    lbVorlagen_->setGeometry(twipsRect(120, 240, 3252, 1425));
    lbVorlagen_->addItems(names);
    if (!names.isEmpty()) lbVorlagen_->setCurrentRow(0);

    auto* ok = okButton(this, "OKButton", twipsRect(1200, 2160, 1215, 252));

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(lbVorlagen_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

int TemplateDialog::chosenIndex() const {
    const int row = lbVorlagen_->currentRow();
    return row < 0 ? 0 : row;
}

int chooseTemplate(const QStringList& names, QWidget* parent) {
    TemplateDialog dialog(names, parent);
    dialog.exec();
    return dialog.chosenIndex();
}

}  // namespace ls::app::gui

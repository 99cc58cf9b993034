// The template dialog.
#include "app/gui/template_dialog.hpp"

#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "app/gui/form_style.hpp"

namespace ls::app::gui {

TemplateDialog::TemplateDialog(const QStringList& names, QWidget* parent) : QDialog(parent) {
    setObjectName("dlgVorlagen");
    setWindowTitle(
        QString::fromUtf8(kDialogCaption.data(), static_cast<qsizetype>(kDialogCaption.size())));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);
    setFixedSize(twips(kDialogClient.width), twips(kDialogClient.height));
    setFont(formFont(font()));

    const Control& frameControl = formControl(kDialogControls, kIdFrame1);
    auto* frame = formWidget<QGroupBox>(this, frameControl);

    const Control& list = formControl(kDialogControls, kIdTemplates);
    lbVorlagen_ = new QListWidget(frame);
    lbVorlagen_->setObjectName(controlName(list));
    lbVorlagen_->setGeometry(twipsRectIn(list.place, frameControl.place));
    lbVorlagen_->addItems(names);
    if (!names.isEmpty()) lbVorlagen_->setCurrentRow(0);

    auto* ok = okButton(this, formControl(kDialogControls, kIdOk));

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

#include "flashcustomchosedialog.h"

#include "ui_flashcustomchosedialog.h"

FlashCustomChoseDialog::FlashCustomChoseDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::FlashCustomChoseDialog>())
{
    ui->setupUi(this);
    setFixedSize(215, 92);
    ui->comboBox->addItem(QStringLiteral("defaultdb"));
    connect(ui->pushButton_ok, &QPushButton::clicked, this, &FlashCustomChoseDialog::slotOK);
    connect(ui->pushButton_cancel, &QPushButton::clicked, this, &FlashCustomChoseDialog::slotCancel);
}

FlashCustomChoseDialog::~FlashCustomChoseDialog() = default;

void FlashCustomChoseDialog::slotOK()
{
    customer = ui->comboBox->currentText();
    accept();
}

void FlashCustomChoseDialog::slotCancel()
{
    reject();
}

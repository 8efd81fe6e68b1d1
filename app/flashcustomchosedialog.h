#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class FlashCustomChoseDialog;
}

// Asks which customer's preset block a flash image carries. The choice goes
// into customer on OK; nothing is set on Cancel.
class FlashCustomChoseDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FlashCustomChoseDialog(QWidget *parent = nullptr);
    ~FlashCustomChoseDialog() override;

    QString customer;

private slots:
    void slotOK();
    void slotCancel();

private:
    std::unique_ptr<Ui::FlashCustomChoseDialog> ui;
};

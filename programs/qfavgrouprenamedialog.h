#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

/** Asks for a favourite group's new name; OK is offered only for a name (not empty, not only spaces). */
class QFavGroupRenameDialog : public QDialog
{
    Q_OBJECT

public:
    QFavGroupRenameDialog(QWidget *parent, const QString &currentName);

    /** The edited name; valid once the dialog was accepted. */
    QString name() const { return m_name; }
    QLineEdit *lineEdit() const { return m_lineEdit; }
    /** Limits typing to what the file keeps (0: no limit); a longer current name stays whole. */
    void setMaxNameLength(int units);

public slots:
    void clickedOK();
    void clickedCancel();

private:
    QLineEdit *m_lineEdit = nullptr;
    QString m_name;
};

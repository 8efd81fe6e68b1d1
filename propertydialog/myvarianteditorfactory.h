#pragma once

#include "qtvarianteditorfactory.h"

#include <QHash>
#include <QStringList>

class QtVariantProperty;

/**
 * Editor factory of the property dialog: tells the dialog when an edit is
 * finished. Each editor it creates reports once, when the browser closes and
 * deletes it, whether or not the value changed; keystrokes are not reported.
 * Flag properties get a FavouriteMaskEditor.
 */
class MyVariantEditorFactory : public QtVariantEditorFactory
{
    Q_OBJECT

public:
    explicit MyVariantEditorFactory(QObject *parent = nullptr);

    /**
     * Reports every editor that has not reported yet, at once, and forgets it.
     * For the moment the dialog closes: an editor closed just before may
     * still wait for its deletion.
     */
    void finishEdits();

    /**
     * Limits the text editor of property to units characters (0: no limit).
     * A longer stored text is not cut by opening the editor.
     */
    void setMaxLength(QtProperty *property, int units);

signals:
    void valueHasChanged(QtVariantProperty *property);

public slots:
    void editorDestroyed(QObject *object);

protected:
    QWidget *createEditor(QtVariantPropertyManager *manager, QtProperty *property,
                          QWidget *parent) override;

private:
    // Keys are compared only: by the time destroyed() arrives the editor is
    // no longer a widget.
    QHash<QObject *, QtVariantProperty *> m_createdEditors;
    QHash<QtProperty *, int> m_maxLengths;
};

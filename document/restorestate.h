#pragma once

#include "documentdata.h"

#include <QUndoCommand>

class Document;

/** Recovered unsaved changes put back over the file as it was loaded. */
class RestoreState : public QUndoCommand
{
public:
    RestoreState(Document *document, DocumentData state);

    void redo() override;
    void undo() override;

private:
    Document *m_document;
    // What is not shown: the recovered state before redo, the replaced one after.
    DocumentData m_other;
};

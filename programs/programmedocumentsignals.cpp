// Following the document: the model keeps the rows in step; the widget only
// starts afresh with the bar's boxes when the document is reset.

#include "qdbprogramwidget.h"

#include "channeldatabase.h"

#include <QLineEdit>

void QDBProgramWidget::setDocument(Document *document)
{
    if (m_document) {
        disconnect(m_document, nullptr, this, nullptr);
        disconnect(m_document->undoStack(), nullptr, this, nullptr);
    }
    m_document = document;
    m_stepIds.clear();
    m_rowAfterRemoval = {DB_NS::NoId, false};
    // The widget notes the rows that go before the model drops them; for the
    // rest the model comes first, so that the rows are new when the widget hears of it.
    if (m_document)
        followDocument(m_document);
    m_model->setDocument(document);
    if (m_document) {
        connect(m_document, &Document::documentReset, this, &QDBProgramWidget::documentWasReset);
        connect(m_document, &Document::destroyed, this, [this] {
            m_document = nullptr;
            documentWasReset();
        });
    }
    documentWasReset();
}

void QDBProgramWidget::documentWasReset()
{
    m_findHits.clear();
    m_filterEdit->clear();
    m_findEdit->clear();
    const bool loaded = m_document && m_document->database();
    m_database = loaded ? m_document->database() : nullptr;
    m_pgTemplate = loaded ? &m_document->templateOf(NodeKind::Programme) : nullptr;
    m_favouriteNames = loaded ? &m_document->favouriteNames() : nullptr;
    m_hotKeys = loaded ? &m_document->hotKeys() : nullptr;
    m_favHotKeys = loaded ? &m_document->favHotKeys() : nullptr;
}

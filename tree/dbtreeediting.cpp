#include "dbtreewidget.h"

// The editing operations behind the context menu and Ctrl+C / Ctrl+V. The
// menu, its enabled rules and the key routing already reach them; the
// operations themselves are not built yet and change nothing.

void DBTreeWidget::slotAddSat() {}
void DBTreeWidget::slotEditSat() {}
void DBTreeWidget::slotAddTP() {}
void DBTreeWidget::slotEditTP() {}
void DBTreeWidget::slotDelete() {}
void DBTreeWidget::slotMoveUp() {}
void DBTreeWidget::slotMoveDown() {}
void DBTreeWidget::slotSwitch() {}
void DBTreeWidget::slotMove() {}
void DBTreeWidget::slotCopy() {}
void DBTreeWidget::slotPaste() {}

#pragma once
// The parser library's rules that set one field when another changes,
// run over the editor's values as the library sees a record.

#include "nodeattribute.h"
#include "templatefield.h"

#include <QVector>

/**
 * Runs the trigger of the field named changed over values and returns the
 * values the rules set (name and new text), in record order; empty when
 * the field has no trigger or no rule fired.
 */
QVector<NodeAttribute> runFieldTrigger(const TemplateField &changed, const QVector<NodeAttribute> &values);

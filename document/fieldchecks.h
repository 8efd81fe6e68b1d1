#pragma once
// The rule every edit shares: a value the file cannot hold (text in a numeric
// field, a number beyond the field's bits, a text no list offers) is refused
// when it is entered, never stored as something else.

#include "nodeattribute.h"
#include "templatefield.h"

#include <QString>
#include <QVector>

/** Why text cannot be stored in the field, as the user reads it; empty when it can. */
QString valueRefusal(const QString &field, const ValueRange &range, const QString &text);

/**
 * The refusal for the first value of after that differs from before (a value
 * already there never makes an edit fail); empty when all can be stored.
 */
QString valuesRefusal(const TemplateMap &fields, const QVector<NodeAttribute> &before,
                      const QVector<NodeAttribute> &after);

/** The positions of the values of after that differ from before, or that before lacks. */
QVector<int> changedValues(const QVector<NodeAttribute> &before, const QVector<NodeAttribute> &after);

/**
 * after as the field triggers leave it: each value that differs from before
 * runs its field's trigger over the values, in their order, and a value a
 * rule sets is taken unless the edit changed that field itself (a choice
 * the user made after the rule fired stands). Rules do not fire rules.
 */
QVector<NodeAttribute> withTriggers(const TemplateMap &fields, const QVector<NodeAttribute> &before,
                                    QVector<NodeAttribute> after);

/** The values a new node starts from: each field's default. */
QVector<NodeAttribute> defaultValues(const TemplateVector &templates);

// View, Language: the stored choice of the editor's language.
#include "tavrin.h"

#include "translations.h"
#include "ui_tavrin.h"

#include <QActionGroup>
#include <QMenu>
#include <QStatusBar>

void Tavrin::createViewMenu()
{
    auto *view = new QMenu(tr("&View"), this);
    view->setObjectName(QStringLiteral("menuView"));
    QMenu *language = view->addMenu(tr("&Language"));
    language->setObjectName(QStringLiteral("menuLanguage"));
    auto *group = new QActionGroup(language);
    // Each language is named in itself, so that it is found whatever the window speaks.
    const struct
    {
        QString code, name;
    } choices[] = {{QString(), tr("System")},
                   {QStringLiteral("en"), QStringLiteral("English")},
                   {QStringLiteral("de"), QStringLiteral("Deutsch")},
                   {QStringLiteral("ru"), QString::fromUtf8("\u0420\u0443\u0441\u0441\u043a\u0438\u0439")}};
    const QString chosen = Translations::chosenLanguage();
    for (const auto &choice : choices) {
        QAction *action = language->addAction(choice.name);
        action->setObjectName(QStringLiteral("actionLanguage_") + (choice.code.isEmpty() ? QStringLiteral("system") : choice.code));
        action->setCheckable(true);
        action->setChecked(choice.code == chosen);
        group->addAction(action);
        const QString code = choice.code;
        connect(action, &QAction::triggered, this, [this, code] {
            Translations::setChosenLanguage(code);
            ui->statusBar->showMessage(tr("The language changes when Tavrin is started again."), 10000);
        });
    }
    // A choice the menu does not offer shows as System, which it falls back to.
    if (!group->checkedAction())
        group->actions().constFirst()->setChecked(true);
    language->addSeparator();
    language->addAction(tr("Takes effect after a restart"))->setEnabled(false);
    ui->menuBar->insertMenu(ui->menuHelp->menuAction(), view);
}

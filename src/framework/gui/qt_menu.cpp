#include "framework/gui/qt_menu.h"

#include <QAction>
#include <QCursor>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "framework/gui/application.h"
#include "framework/gui/menu.h"

namespace fw {

namespace {

QString QtCaption(const std::string& caption)
{
    // Our mnemonic marker is Qt's as well: "&File" and "&&" mean the same.
    return QString::fromStdString(caption);
}

// Empties a menu or menu bar. clear() takes the actions away but leaves the submenus that
// addMenu made as the menu's children; they go too, or every rebuild would keep them for the
// window's life. A menu may be emptied from a click on one of its own items, so they go once
// Qt has finished with the event.
template <class Menu>
void EmptyMenu(Menu& menu)
{
    for (QAction* action : menu.actions()) {
        QMenu* sub = action->menu();
        if (sub != nullptr && sub->parent() == &menu) {
            sub->deleteLater();
        }
    }
    menu.clear();
}

void RunClick(MenuItem& item)
{
    GuardedCall([&item] { item.Click(); });
}

QAction* ActionFor(QMenu& menu, MenuItem& item)
{
    if (item.IsLine()) {
        return menu.addSeparator();
    }
    if (item.Count() > 0 || item.OnPopup()) {
        QMenu* sub = menu.addMenu(QtCaption(item.Caption()));
        sub->setEnabled(item.Enabled());
        MenuItem* source = &item;
        QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, source] {
            GuardedCall([source] { source->InitiateAction(); });
            EmptyMenu(*sub);
            FillQtMenu(*sub, *source);
        });
        return sub->menuAction();
    }
    QAction* action = menu.addAction(QtCaption(item.Caption()));
    action->setEnabled(item.Enabled());
    action->setCheckable(item.Checked() || item.AutoCheck() || item.RadioItem());
    action->setChecked(item.Checked());
    if (item.ShortCut() != scNone) {
        const QString text = QString::fromStdString(ShortCutToText(item.ShortCut()));
        // Shown only: the form's key handling finds the item, so Qt must not take the key.
        action->setShortcutVisibleInContextMenu(true);
        action->setText(action->text() + '\t' + text);
    }
    MenuItem* source = &item;
    QObject::connect(action, &QAction::triggered, action, [action, source](bool) {
        // Qt toggled a checkable action on its own: put our state back before the click.
        action->setChecked(source->Checked());
        RunClick(*source);
    });
    return action;
}

class QtMainMenuPeer : public MenuPeer {
public:
    QtMainMenuPeer(MainMenu& menu, QMenuBar& bar) : menu_(&menu), bar_(&bar) { Rebuild(); }

    void MenuChanged(MenuItem* item, bool structural) override
    {
        (void)item;
        (void)structural;
        Rebuild();
    }

private:
    void Rebuild()
    {
        if (bar_.isNull()) {
            return;
        }
        EmptyMenu(*bar_);
        MenuItem* root = menu_->Items();
        for (int i = 0; i < root->Count(); ++i) {
            MenuItem* top = root->Items(i);
            if (!top->Visible()) {
                continue;
            }
            QMenu* sub = bar_->addMenu(QtCaption(top->Caption()));
            sub->setEnabled(top->Enabled());
            QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, top] {
                GuardedCall([top] { top->InitiateAction(); });
                EmptyMenu(*sub);
                FillQtMenu(*sub, *top);
            });
        }
    }

    MainMenu* menu_;
    QPointer<QMenuBar> bar_;
};

} // namespace

void FillQtMenu(QMenu& menu, MenuItem& item)
{
    for (int i = 0; i < item.Count(); ++i) {
        MenuItem* sub = item.Items(i);
        if (sub->Visible()) {
            ActionFor(menu, *sub);
        }
    }
}

void AttachMainMenu(MainMenu& menu, QMenuBar& bar)
{
    menu.SetPeer(std::make_unique<QtMainMenuPeer>(menu, bar));
}

void InstallQtPopupHandler()
{
    PopupMenu::SetPopupHandler([](PopupMenu& popup, Point screenPos) {
        QMenu menu;
        FillQtMenu(menu, *popup.Items());
        if (menu.isEmpty()) {
            return;
        }
        menu.exec(QPoint(screenPos.X, screenPos.Y));
    });
}

} // namespace fw

#pragma once
// The ruler's context menu in Qt: built once from the menu table, then
// brought in line with the ruler's state before it shows. Keys are not Qt
// shortcuts (two items share Ctrl+S, and hidden items must still answer);
// the ruler dispatches them through the table and the menu only shows them.

#include <QIcon>
#include <QObject>
#include <map>
#include <vector>

#include "ruler/MenuTree.h"

class QAction;
class QMenu;
class QToolButton;
class QWidget;

// The images the menu shows: the fixed image list (transparency levels 0..8,
// the English flag 9, the magnifier 13) with the language flags appended, and
// the colour scheme icons.
struct TMenuImages {
    std::vector<QIcon> ImageList;
    std::vector<QIcon> ColorIcons;
    QIcon MainColorIcon;
};

inline constexpr int kEnglishFlagImage = 9;
inline constexpr int kMagnifierImage = 13;
inline constexpr int kFixedImages = 14;

// The fourteen fixed images of the menu.
std::vector<QIcon> FixedMenuImages();
// A language's flag as a menu image: its bottom-left pixel's colour is made
// transparent.
QIcon MaskedFlag(const QImage& flag);

class TRulerMenu : public QObject {
    Q_OBJECT
public:
    // Builds the whole tree, the repeated entries for the given context.
    TRulerMenu(const TMenuContext& context, QWidget* parent);
    ~TRulerMenu() override;

    QMenu* RightMenu() const { return m_root; }
    // Captions, check marks, enabled and visible states and images.
    void Refresh(const RulerState& s, const TMenuContext& context, const TMenuImages& images);
    // The action of an item (nullptr for the colour cells, which are buttons).
    QAction* Action(TMenuItemRef item) const;
    QToolButton* ColorCell(int index) const { return m_colorCells[static_cast<std::size_t>(index)]; }
    QMenu* Submenu(TMenuId id) const;

signals:
    void itemTriggered(TMenuItemRef item);

private:
    struct Key {
        TMenuId Id;
        int Index;
        bool operator<(const Key& o) const { return Id != o.Id ? Id < o.Id : Index < o.Index; }
    };
    QMenu* m_root = nullptr;
    std::map<Key, QAction*> m_actions;
    std::map<TMenuId, QMenu*> m_submenus;
    std::vector<QToolButton*> m_colorCells;
};

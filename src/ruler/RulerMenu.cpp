#include "ruler/RulerMenu.h"

#include "lang/Languages.h"

#include <QAction>
#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>
#include <QWidgetAction>

namespace {

QString Q(const std::u16string& s)
{
    return QString::fromStdU16String(s);
}

// Caption and keys: the keys stand after a tab, where menus show them.
QString Text(const std::u16string& caption, const std::string& keys)
{
    return keys.empty() ? Q(caption) : Q(caption) + QLatin1Char('\t') + QString::fromStdString(keys);
}

int ImageOf(TMenuItemRef item)
{
    // The transparency levels carry the images 0..8 in their own order.
    if (const auto choice = RadioChoice(item.Id); choice && choice->Option == TRadioOption::Transparency)
        return choice->Value;
    switch (item.Id) {
        case TMenuId::menuEN: return kEnglishFlagImage;
        case TMenuId::menuMagnifier: return kMagnifierImage;
        case TMenuId::LangMenuItem: return kFixedImages + item.Index;
        default: return -1;
    }
}

QIcon Image(const TMenuImages& images, int index)
{
    return index >= 0 && index < static_cast<int>(images.ImageList.size())
               ? images.ImageList[static_cast<std::size_t>(index)]
               : QIcon();
}

// The COLOR submenu's two columns, walked with the arrow keys like a menu:
// Up and Down within a column, Left and Right across, Return chooses. The
// keys reach the submenu, not the cells, so the grid watches the submenu.
class TColorGrid : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<QToolButton*> Cells;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) Select(-1);
        if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int at = m_current;
        switch (key) {
            case Qt::Key_Down: Select(Next(at, 1)); return true;
            case Qt::Key_Up: Select(Next(at < 0 ? 0 : at, -1)); return true;
            case Qt::Key_Right:
            case Qt::Key_Left: {
                if (at < 0) {
                    // Nothing reached yet: Right starts at the first colour,
                    // Left closes the submenu as in any menu.
                    if (key == Qt::Key_Left) return false;
                    Select(Next(-1, 1));
                    return true;
                }
                // Left from the first column closes the submenu too.
                if ((key == Qt::Key_Left) == (at < 8)) return false;
                const int across = at < 8 ? at + 8 : at - 8;
                Select(Cells[static_cast<std::size_t>(across)]->isEnabled() ? across : Next(across, 1));
                return true;
            }
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Space:
                if (at >= 0) Cells[static_cast<std::size_t>(at)]->click();
                return at >= 0;
            default: return QWidget::eventFilter(watched, event);
        }
    }

private:
    // The next enabled cell from `from` in direction `step`; the current
    // colour's cell is disabled and is skipped.
    int Next(int from, int step) const
    {
        const int n = static_cast<int>(Cells.size());
        for (int i = 1; i <= n; ++i) {
            const int at = ((from < 0 ? -1 : from) + step * i + n * 2) % n;
            if (Cells[static_cast<std::size_t>(at)]->isEnabled()) return at;
        }
        return -1;
    }
    void Select(int index)
    {
        m_current = index;
        for (std::size_t i = 0; i < Cells.size(); ++i) Cells[i]->setChecked(static_cast<int>(i) == index);
    }

    int m_current = -1;
};

}  // namespace

std::vector<QIcon> FixedMenuImages()
{
    std::vector<QIcon> list(kFixedImages);
    for (int i = 0; i <= 8; ++i)
        list[static_cast<std::size_t>(i)] = QIcon(QStringLiteral(":/ruler/icons/transparency%1.png").arg(i));
    list[kEnglishFlagImage] = QIcon(QStringLiteral(":/ruler/icons/flag_en.png"));
    list[kMagnifierImage] = QIcon(QStringLiteral(":/ruler/icons/magnifier.png"));
    return list;
}

QIcon MaskedFlag(const QImage& flag)
{
    if (flag.isNull()) return {};
    QImage image = flag.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == key) image.setPixel(x, y, 0);
    return QIcon(QPixmap::fromImage(image));
}

TRulerMenu::TRulerMenu(const TMenuContext& context, QWidget* parent) : QObject(parent)
{
    m_root = new QMenu(parent);
    std::vector<QMenu*> open{m_root};  // the submenu at each depth
    std::map<TMenuId, QActionGroup*> groups;
    for (const TMenuItemRef& item : MenuItems(context)) {
        const TMenuEntry& entry = MenuEntry(item.Id);
        open.resize(static_cast<std::size_t>(entry.Depth) + 1);
        QMenu* into = open.back();
        if (entry.Kind == TMenuKind::Submenu) {
            QMenu* sub = into->addMenu(QString());
            sub->setObjectName(QString::fromLatin1(entry.Name));
            m_submenus[item.Id] = sub;
            m_actions[{item.Id, 0}] = sub->menuAction();
            open.push_back(sub);
            continue;
        }
        if (item.Id == TMenuId::ColorMenuItem) {
            // Two columns of eight: a grid of cells in one widget action.
            if (item.Index == 0) {
                auto* grid = new TColorGrid(into);
                into->installEventFilter(grid);
                auto* layout = new QGridLayout(grid);
                layout->setContentsMargins(2, 2, 2, 2);
                layout->setSpacing(0);
                auto* action = new QWidgetAction(into);
                action->setDefaultWidget(grid);
                into->addAction(action);
            }
            auto* grid = static_cast<QWidgetAction*>(into->actions().back())->defaultWidget();
            // Icon and caption at the left, the keys at the right, as in the
            // menu's own items.
            auto* cell = new QToolButton(grid);
            cell->setObjectName(QStringLiteral("ColorMenuItem%1").arg(item.Index));
            cell->setAutoRaise(true);
            cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            auto* row = new QHBoxLayout(cell);
            row->setContentsMargins(4, 2, 8, 2);
            row->setSpacing(6);
            for (const char* part : {"icon", "caption", "", "keys"}) {
                if (!*part) {
                    row->addStretch(1);
                    row->addSpacing(16);
                    continue;
                }
                auto* label = new QLabel(cell);
                label->setObjectName(QLatin1String(part));
                label->setAttribute(Qt::WA_TransparentForMouseEvents);
                row->addWidget(label);
            }
            cell->setMinimumSize(cell->layout()->sizeHint());
            static_cast<QGridLayout*>(grid->layout())->addWidget(cell, item.Index % 8, item.Index / 8);
            connect(cell, &QToolButton::clicked, this, [this, item] {
                m_root->close();
                emit itemTriggered(item);
            });
            cell->setCheckable(true);  // checked: the one the keys have reached
            cell->setFocusPolicy(Qt::NoFocus);
            static_cast<TColorGrid*>(grid)->Cells.push_back(cell);
            m_colorCells.push_back(cell);
            continue;
        }
        QAction* action = entry.Kind == TMenuKind::Separator ? into->addSeparator() : into->addAction(QString());
        action->setObjectName(QString::fromLatin1(entry.Name));
        if (entry.Kind == TMenuKind::Check || entry.Kind == TMenuKind::Radio || entry.Kind == TMenuKind::Pair)
            action->setCheckable(true);
        if (entry.Kind == TMenuKind::Radio) {
            const TMenuId group = MenuParent(item.Id).value_or(item.Id);
            if (!groups.count(group)) groups[group] = new QActionGroup(into);
            action->setActionGroup(groups[group]);
        }
        if (entry.Kind != TMenuKind::Separator)
            connect(action, &QAction::triggered, this, [this, item] { emit itemTriggered(item); });
        m_actions[{item.Id, item.Index}] = action;
    }
}

TRulerMenu::~TRulerMenu()
{
    delete m_root;
}

QAction* TRulerMenu::Action(TMenuItemRef item) const
{
    const auto it = m_actions.find({item.Id, item.Index});
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* TRulerMenu::Submenu(TMenuId id) const
{
    const auto it = m_submenus.find(id);
    return it == m_submenus.end() ? nullptr : it->second;
}

void TRulerMenu::Refresh(const RulerState& s, const TMenuContext& context, const TMenuImages& images)
{
    for (const TMenuItemRef& item : MenuItems(context)) {
        const std::u16string caption = MenuCaption(item, s, context, Languages());
        const std::string keys = MenuKeys(item);
        const bool enabled = MenuEnabled(item, s, context);
        const bool visible = MenuVisible(item, s, context);
        if (item.Id == TMenuId::ColorMenuItem) {
            QToolButton* cell = ColorCell(item.Index);
            cell->findChild<QLabel*>(QStringLiteral("caption"))->setText(Q(caption));
            cell->findChild<QLabel*>(QStringLiteral("keys"))->setText(QString::fromStdString(keys));
            if (item.Index < static_cast<int>(images.ColorIcons.size()))
                cell->findChild<QLabel*>(QStringLiteral("icon"))
                    ->setPixmap(images.ColorIcons[static_cast<std::size_t>(item.Index)].pixmap(16, 16));
            cell->setMinimumSize(cell->layout()->sizeHint());
            cell->setEnabled(enabled);
            continue;
        }
        QAction* action = Action(item);
        if (!action) continue;
        if (!action->isSeparator()) action->setText(Text(caption, keys));
        action->setEnabled(enabled);
        action->setVisible(visible);
        if (action->isCheckable()) action->setChecked(MenuChecked(item, s, context));
        if (const int image = ImageOf(item); image >= 0) action->setIcon(Image(images, image));
    }
    // A submenu repeats the image of its current item.
    const int transparency = static_cast<int>(s.Transparency);
    Action({TMenuId::menuTransparency, 0})->setIcon(Image(images, transparency));
    Action({TMenuId::menuColorSubmenu, 0})->setIcon(images.MainColorIcon);
    Action({TMenuId::menuLanguage, 0})
        ->setIcon(
            Image(images, context.CheckedLanguage < 0 ? kEnglishFlagImage : kFixedImages + context.CheckedLanguage));
}

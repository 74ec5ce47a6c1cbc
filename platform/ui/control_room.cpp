#include "platform/ui/control_room.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace ui {
namespace {

// A rectangle by its edges, right and bottom excluded.
struct Edges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    explicit Edges(const QRect& r)
        : left(r.x()), top(r.y()), right(r.x() + r.width()), bottom(r.y() + r.height()) {}
    Edges(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    bool Overlaps(const Edges& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool Contains(const Edges& o) const {
        return left <= o.left && o.right <= right && top <= o.top && o.bottom <= bottom;
    }
    QRect Rect() const { return QRect(left, top, right - left, bottom - top); }
};

// Room put in along one axis: every coordinate at or past a place where room was put in moves on by its
// amount.
class Stretch {
public:
    int operator()(int coordinate) const {
        int moved = coordinate;
        for (const auto& [at, amount] : m_room) {
            if (at <= coordinate)
                moved += amount;
        }
        return moved;
    }
    void PutIn(int at, int amount) { m_room.emplace_back(at, amount); }

private:
    std::vector<std::pair<int, int>> m_room;
};

Edges Placed(const RoomRequest& control, const Stretch& across, const Stretch& down) {
    const Edges t(control.place);
    const int left = across(t.left);
    const int top = down(t.top);
    const int width = std::max(across(t.right) - left, control.least.width());
    const int height =
        control.exactHeight ? control.least.height() : std::max(down(t.bottom) - top, control.least.height());
    return {left, top, left + width, top + height};
}

// The width a push button needs for its text. The text is left out of what the style is asked: styles give
// every button with a text a least width of their own, which the template's width already stands for.
int ButtonTextWidth(const QPushButton* button) {
    if (button->text().isEmpty())
        return 0;
    QStyleOptionButton option;
    option.initFrom(button);
    if (button->autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    QSize contents = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    if (!button->icon().isNull())
        contents.rwidth() += button->iconSize().width() + 4;
    return button->style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, button).width();
}

} // namespace

RoomLayout MakeRoom(const QList<RoomRequest>& controls, const QSize& page, const QSize& spacing) {
    Stretch across;
    Stretch down;
    const qsizetype n = controls.size();
    // Every pass settles some pair for good (room only ever grows, so a pair once apart stays apart); the
    // limit only guards against a fault.
    for (qsizetype pass = 0; pass <= n * n; ++pass) {
        bool changed = false;
        for (qsizetype i = 0; i < n; ++i) {
            if (controls[i].hidden)
                continue;
            const Edges ti(controls[i].place);
            for (qsizetype j = 0; j < n; ++j) {
                if (i == j || controls[j].hidden)
                    continue;
                const Edges tj(controls[j].place);
                const Edges ni = Placed(controls[i], across, down);
                const Edges nj = Placed(controls[j], across, down);
                if (!ti.Overlaps(tj)) {
                    if (!ni.Overlaps(nj))
                        continue;
                    // i lies above or left of j in the template (the other way round is the pair (j, i)):
                    // move j's row down or its column right, whichever asks less.
                    int downBy = 0;
                    int acrossBy = 0;
                    if (ti.bottom <= tj.top)
                        downBy = ni.bottom + std::min(tj.top - ti.bottom, spacing.height()) - nj.top;
                    if (ti.right <= tj.left)
                        acrossBy = ni.right + std::min(tj.left - ti.right, spacing.width()) - nj.left;
                    if (downBy > 0 && (acrossBy <= 0 || downBy <= acrossBy))
                        down.PutIn(tj.top, downBy);
                    else if (acrossBy > 0)
                        across.PutIn(tj.left, acrossBy);
                    else
                        continue;
                    changed = true;
                } else if (tj.Contains(ti)) {
                    // j is a frame around i: it keeps its margins around what grew (at most `spacing`).
                    const int wider = ni.right + std::min(tj.right - ti.right, spacing.width()) - nj.right;
                    const int lower =
                        ni.bottom + std::min(tj.bottom - ti.bottom, spacing.height()) - nj.bottom;
                    if (wider > 0)
                        across.PutIn(tj.right, wider);
                    if (lower > 0)
                        down.PutIn(tj.bottom, lower);
                    changed = changed || wider > 0 || lower > 0;
                }
            }
        }
        if (!changed)
            break;
    }

    RoomLayout layout;
    layout.size = QSize(across(page.width()), down(page.height()));
    for (RoomRequest control : controls) {
        if (control.hidden)
            control.least = QSize();
        const Edges placed = Placed(control, across, down);
        layout.places << placed.Rect();
        if (control.hidden)
            continue;
        // The page keeps its margins around what grew, as a frame does.
        const Edges t(control.place);
        if (t.right <= page.width())
            layout.size.setWidth(std::max(layout.size.width(),
                                          placed.right + std::min(page.width() - t.right, spacing.width())));
        if (t.bottom <= page.height())
            layout.size.setHeight(std::max(
                layout.size.height(), placed.bottom + std::min(page.height() - t.bottom, spacing.height())));
    }
    return layout;
}

QSize LeastControlSize(const QWidget* control, int width) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->sizeHint();
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return {ButtonTextWidth(button), button->text().isEmpty() ? 0 : button->sizeHint().height()};
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->sizeHint();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return {0, edit->sizeHint().height()};
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return {};
        return {0, label->wordWrap() ? label->heightForWidth(width) : label->sizeHint().height()};
    }
    return {};
}

QSize MakeRoomOnPage(QWidget* page, const QSize& size, const QSize& spacing, int comboHeight) {
    QList<QWidget*> controls;
    QList<RoomRequest> requests;
    for (QObject* child : page->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control == nullptr || control->isWindow())
            continue;
        RoomRequest request;
        request.place = control->geometry();
        request.least = LeastControlSize(control, request.place.width());
        request.hidden = control->isHidden();
        if (qobject_cast<QComboBox*>(control) != nullptr) {
            request.place.setHeight(std::min(request.place.height(), comboHeight));
            request.exactHeight = true;
        }
        controls << control;
        requests << request;
    }
    const RoomLayout layout = MakeRoom(requests, size, spacing);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (controls[i]->geometry() != layout.places[i])
            controls[i]->setGeometry(layout.places[i]);
    }
    return layout.size;
}

} // namespace ui

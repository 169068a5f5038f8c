#include "kalvix/gui/framework/page_binder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>
#include <cstdlib>

#include "kalvix/gui/framework/hyper_link.h"
#include "kalvix/gui/framework/message_box.h"

namespace kalvix::gui {
namespace {
QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// Read-only fields take the background of disabled ones, as desktop programs show them, so
// the fields to type in stand out.
void lookReadOnly(QWidget* w) {
    QPalette p = w->palette();
    const QColor disabled = p.color(QPalette::Disabled, QPalette::Base);
    p.setColor(QPalette::Active, QPalette::Base, disabled);
    p.setColor(QPalette::Inactive, QPalette::Base, disabled);
    w->setPalette(p);
}
}  // namespace

PageBinder::PageBinder(QWidget* root, PageModel& model, PageHost& host,
                       std::function<void(const QString&)> statusSink)
    : QObject(root),
      root_(root),
      model_(model),
      host_(host),
      actions_(model),
      watch_(model),
      statusSink_(std::move(statusSink)) {
    model_.asker = [this](const std::string& text, const std::string& caption) {
        // The box is modal: the fields show what the page holds while it is up.
        writeControls();
        return host_.presenter().ask(root_, q(text), q(caption));
    };
    model_.opener = [this](const std::string& window) {
        host_.runDialog(q(window), root_);
        refresh();  // the dialog may have changed what this page shows
    };
    for (const Control& c : model_.controls()) {
        if (c.id.empty())
            continue;
        QWidget* w = root_->findChild<QWidget*>(q(c.id));
        if (!w) {
            missing_.push_back(c.id);
            continue;
        }
        widgets_[c.caption] = w;
        captions_[w] = c.caption;
        bind(c, w);
    }
    // A dialog opens with the focus where its page keeps it (a page that lives on between
    // openings keeps it where the player left it).
    if (QWidget* w = widgetFor(model_.focus()); w && root_->isWindow()) {
        updating_ = true;
        w->setFocus(Qt::OtherFocusReason);
        updating_ = false;
    }
    refresh();
}

QWidget* PageBinder::widgetFor(const std::string& caption) const {
    auto it = widgets_.find(caption);
    return it == widgets_.end() ? nullptr : it->second.data();
}

void PageBinder::bind(const Control& c, QWidget* w) {
    const std::string caption = c.caption;
    w->installEventFilter(this);
    // What a screen reader says of the control: its caption, as kalvix-calc names it too.
    if (w->accessibleName().isEmpty())
        w->setAccessibleName(q(caption));
    auto* line = qobject_cast<QLineEdit*>(w);
    auto* plain = qobject_cast<QPlainTextEdit*>(w);
    if ((line && (c.kind == ControlKind::Result || line->isReadOnly())) ||
        (plain && (c.kind == ControlKind::Result || plain->isReadOnly())))
        lookReadOnly(w);
    switch (c.kind) {
        case ControlKind::Edit:
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                connect(e, &QLineEdit::textEdited, this, [this, caption](const QString& t) {
                    if (updating_)
                        return;
                    // The field shows what was typed, whatever the page keeps of it.
                    watch_.forget(caption);
                    actions_.type(caption, t.toStdString());
                    afterAction();
                });
            }
            break;
        case ControlKind::List:
            if (auto* cb = qobject_cast<QComboBox*>(w)) {
                connect(cb, &QComboBox::activated, this, [this, caption](int index) {
                    if (updating_)
                        return;
                    watch_.forget(caption);
                    actions_.choose(caption, index);
                    afterAction();
                });
            }
            break;
        case ControlKind::Button:
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                connect(b, &QAbstractButton::clicked, this, [this, caption] {
                    actions_.click(caption);
                    afterAction();
                });
            } else if (auto* label = qobject_cast<QLabel*>(w)) {
                // A label the page acts on is a link: it looks like one, and a click on it
                // goes to the page, which decides what opens.
                auto* link = new CHyperLink(label);
                link->attach(label);
                link->onClick = [this, caption] {
                    actions_.click(caption);
                    afterAction();
                };
            }
            break;
        case ControlKind::Check:
        case ControlKind::Radio:
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                // The button has switched already; a click on a selected radio button is
                // still a click.
                const ControlKind kind = c.kind;
                connect(b, &QAbstractButton::clicked, this, [this, caption, kind](bool on) {
                    if (updating_)
                        return;
                    // A click on a radio button switches its neighbours off in the widgets.
                    if (kind == ControlKind::Radio)
                        watch_.forget(ControlKind::Radio);
                    else
                        watch_.forget(caption);
                    actions_.setChecked(caption, on);
                    afterAction();
                });
            }
            break;
        default:
            break;
    }
}

bool PageBinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !updating_) {
        auto it = captions_.find(watched);
        if (it != captions_.end()) {
            const std::string previous = model_.focus();
            inFocusIn_ = true;
            if (!actions_.focus(it->second).ok() || model_.focus() != it->second) {
                // The field being left refuses to let the focus go.
                if (QWidget* back = widgetFor(previous))
                    QTimer::singleShot(0, back, [back] { back->setFocus(Qt::OtherFocusReason); });
            }
            afterAction();
            inFocusIn_ = false;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PageBinder::afterAction() {
    refresh();
}

void PageBinder::writeControl(const Control& c, const ControlState& s, QWidget* w) {
    w->setEnabled(s.enabled);
    w->setVisible(s.visible);
    // The text a control holds; a control that shows a picture keeps it as its value.
    const QString text = q(c.picture ? (c.text ? c.text() : std::string()) : s.text);
    switch (c.kind) {
        case ControlKind::Edit:
        case ControlKind::Result:
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                // A button that shows a result: its label (a skill's name on its tile), or
                // the picture the page names, which the dialog draws.
                if (c.picture) {
                    b->setProperty("picture", s.picture);
                } else if (b->text() != text) {
                    b->setText(text);
                }
            } else if (auto* bar = qobject_cast<QProgressBar*>(w)) {
                bar->setValue(std::atoi(s.text.c_str()));
            } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
                if (e->text() != text)
                    e->setText(text);
            } else if (auto* l = qobject_cast<QLabel*>(w)) {
                l->setText(text);
            } else if (auto* pt = qobject_cast<QPlainTextEdit*>(w)) {
                // The document keeps "\r\n" as one line break: compare as it shows, or every
                // refresh would rewrite a multi-line text and scroll it back to the top.
                if (pt->toPlainText() !=
                    QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")))
                    pt->setPlainText(text);
            }
            break;
        case ControlKind::Label:
            if (auto* l = qobject_cast<QLabel*>(w))
                l->setText(text);
            else if (c.picture)
                w->setProperty("picture", s.picture);
            break;
        case ControlKind::List:
            if (auto* cb = qobject_cast<QComboBox*>(w)) {
                bool same = cb->count() == static_cast<int>(s.items.size());
                for (int i = 0; same && i < cb->count(); ++i)
                    same = cb->itemText(i) == q(s.items[static_cast<std::size_t>(i)]);
                if (!same) {
                    cb->clear();
                    for (const auto& item : s.items)
                        cb->addItem(q(item));
                }
                if (cb->currentIndex() != s.current)
                    cb->setCurrentIndex(s.current);
            }
            break;
        case ControlKind::Check:
        case ControlKind::Radio:
            if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                writeLabel(c, s, b);
                if (b->isChecked() != s.checked) {
                    // The checked radio of a group cannot be switched off while it is
                    // exclusive; the model may still choose none.
                    const bool exclusive = b->autoExclusive();
                    b->setAutoExclusive(exclusive && s.checked);
                    b->setChecked(s.checked);
                    b->setAutoExclusive(exclusive);
                }
            }
            break;
        case ControlKind::Table:
            if (auto* lw = qobject_cast<QListWidget*>(w)) {
                // A list box shows the first column of each row.
                QStringList lines;
                for (const auto& item : s.items)
                    lines << q(item);
                bool same = lw->count() == lines.size();
                for (int i = 0; same && i < lw->count(); ++i)
                    same = lw->item(i)->text() == lines[i];
                if (!same) {
                    lw->clear();
                    lw->addItems(lines);
                }
            } else if (auto* t = qobject_cast<QTableWidget*>(w)) {
                const TableRows& rows = s.rows;
                t->setRowCount(static_cast<int>(rows.size()));
                for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
                    const auto& row = rows[static_cast<std::size_t>(r)];
                    for (int col = 0; col < static_cast<int>(row.size()) && col < t->columnCount();
                         ++col) {
                        auto* item = t->item(r, col);
                        if (!item) {
                            item = new QTableWidgetItem;
                            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                            t->setItem(r, col, item);
                        }
                        item->setText(q(row[static_cast<std::size_t>(col)]));
                    }
                }
            }
            break;
        case ControlKind::Button:
            if (auto* b = qobject_cast<QAbstractButton*>(w))
                writeLabel(c, s, b);
            break;
    }
}

void PageBinder::writeLabel(const Control& c, const ControlState& s, QAbstractButton* b) {
    // Only a label the page computes is written; a fixed one stays as the .ui has it.
    if (!c.text)
        return;
    const QString t = q(s.text);
    if (b->text() != t)
        b->setText(t);
}

void PageBinder::writeControls() {
    const bool wasUpdating = updating_;
    updating_ = true;
    QWidget* const focused = QApplication::focusWidget();
    const std::vector<Control>& controls = model_.controls();
    for (const std::size_t i : watch_.changed())
        if (QWidget* w = widgetFor(controls[i].caption))
            writeControl(controls[i], watch_.state(i), w);
    // Qt passes the focus on from a control that is disabled or hidden; the page keeps it
    // there, where no key reaches it. Follow the page: the next control the player clicks
    // then takes the focus as a change the page sees.
    QWidget* const now = QApplication::focusWidget();
    if (focused && now != focused && focused == widgetFor(model_.focus()) &&
        (!focused->isEnabled() || focused->isHidden()) && now && root_->isAncestorOf(now))
        now->clearFocus();
    updating_ = wasUpdating;
}

void PageBinder::refresh() {
    writeControls();
    presentMessages();
    std::vector<FieldRequest> requests = model_.takeFieldRequests();
    if (!requests.empty()) {
        applyFieldRequests(requests);
        // A line edit that takes the focus by Tab selects its text after our filter has run:
        // apply once more when the focus event is through.
        if (inFocusIn_)
            QTimer::singleShot(0, this, [this, requests] { applyFieldRequests(requests); });
    }
    if (const std::optional<bool> close = model_.takeCloseRequest(); close && closer)
        closer(*close);
}

void PageBinder::applyFieldRequests(const std::vector<FieldRequest>& requests) {
    for (const FieldRequest& r : requests) {
        QWidget* w = widgetFor(r.field);
        if (!w)
            continue;
        // A hidden page cannot take the focus from the page being shown.
        if (r.focus && w->isVisible() && !w->hasFocus()) {
            updating_ = true;
            w->setFocus(Qt::OtherFocusReason);
            updating_ = false;
        }
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (r.selectAll)
                e->selectAll();
            if (r.caretToEnd) {
                e->deselect();
                e->end(false);
            }
        }
    }
}

void PageBinder::presentMessages() {
    std::vector<PageMessage> messages = model_.takeMessages();
    for (const PageMessage& m : messages) {
        if (m.where == MessageWhere::Status) {
            if (statusSink_)
                statusSink_(q(m.text));
            else
                host_.showStatus(q(m.text));
            continue;
        }
        if (m.where == MessageWhere::Sound) {
            host_.playSound(q(m.text));
            continue;
        }
        if (m.where == MessageWhere::Open) {
            host_.openAddress(q(m.text));
            continue;
        }
        host_.presenter().inform(root_, q(m.text));
        if (QWidget* w = widgetFor(m.field)) {
            updating_ = true;
            w->setFocus(Qt::OtherFocusReason);
            updating_ = false;
            model_.moveFocus(m.field);
            if (auto* e = qobject_cast<QLineEdit*>(w))
                e->selectAll();
        }
    }
    if (!model_.pendingMessages().empty())
        presentMessages();
}

}  // namespace kalvix::gui

// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessiblemirror.h"

#include "mainform.h"

#include <QTimer>
#include <QWidget>

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <utility>

#include <emscripten.h>
#include <emscripten/bind.h>
#include <emscripten/val.h>

// The page's half: the elements, kept in the page's layer over the canvas
// (#accessible, an application from the start: web/index.html says why) that
// shows nothing (transparent text, no focus ring; not opacity, which some
// browsers take for "not shown") and lets every click and touch through.
// Qt hears the keyboard only on its canvas, so keys pressed while the
// screen reader's focus is on an element are handed on to it.
// Flags: 1 hidden, 2 disabled, 4/8 checkable/checked, 16/32
// selectable/selected, 64 read-only, 128 multi-line, 512 text content.
// clang-format off
EM_JS(void, zorbelin_mirror_install, (), {
    const canvas = Module.qtContainerElements[0];
    const host = document.getElementById("accessible");
    host.style.cssText = "position: absolute; inset: 0; color: transparent; pointer-events: none; overflow: hidden; "
        + "white-space: pre-line";
    const live = document.createElement("div");
    live.setAttribute("aria-live", "polite");
    live.setAttribute("aria-atomic", "true");
    host.append(live);
    const elements = new Map();
    let moving = false, focusing = 0;
    const set = (element, name, value) => value === null ? element.removeAttribute(name)
                                                         : element.setAttribute(name, value);
    const idOf = (event) => {
        const element = event.target.closest("[data-node]");
        return element ? Number(element.dataset.node) : 0;
    };
    Module.zorbelinMirror = {
        update(id, parent, index, role, name, description, text, flags, x, y, width, height) {
            let element = elements.get(id);
            if (!element) {
                element = document.createElement("div");
                element.dataset.node = id;
                element.tabIndex = -1;
                elements.set(id, element);
            }
            const box = parent ? elements.get(parent) : host;
            if (box.children[index] !== element)
                box.insertBefore(element, box.children[index] || null);
            set(element, "role", role || null);
            set(element, "aria-label", role && name ? name : null);
            set(element, "aria-description", description || null);
            if (flags & 512)
                element.textContent = text;
            element.hidden = (flags & 1) !== 0;
            set(element, "aria-disabled", flags & 2 ? "true" : null);
            set(element, "aria-checked", flags & 4 ? String((flags & 8) !== 0) : null);
            set(element, "aria-selected", flags & 16 ? String((flags & 32) !== 0) : null);
            set(element, "aria-readonly", flags & 64 ? "true" : null);
            set(element, "aria-multiline", flags & 128 ? "true" : null);
            element.style.cssText = "position: absolute; outline: none; left: " + x + "%; top: " + y + "%; width: " + width
                + "%; height: " + height + "%";
        },
        remove(id) {
            const element = elements.get(id);
            if (element)
                element.remove();
            elements.delete(id);
        },
        // Two frames after the changes that came with it, so the screen reader
        // hears them where they happened: a size chosen in the list as the focus
        // leaves it would otherwise bring the list back into its speech.
        focus(id) {
            cancelAnimationFrame(focusing);
            focusing = requestAnimationFrame(() => {
                focusing = requestAnimationFrame(() => {
                    const element = elements.get(id);
                    if (!element || document.activeElement === element)
                        return;
                    moving = true;
                    element.focus({ preventScroll: true });
                    moving = false;
                });
            });
        },
        announce(text) {
            const line = document.createElement("p");
            line.textContent = text;
            live.replaceChildren(line);
        },
    };
    for (const type of ["keydown", "keyup"]) {
        host.addEventListener(type, (event) => {
            if (!canvas.dispatchEvent(new KeyboardEvent(event.type, event)))
                event.preventDefault();
        });
    }
    host.addEventListener("click", (event) => {
        if (idOf(event))
            Module.zorbelinMirrorActivate(idOf(event));
    });
    host.addEventListener("focusin", (event) => {
        if (!moving && idOf(event))
            Module.zorbelinMirrorFocus(idOf(event));
    });
});
// clang-format on

EMSCRIPTEN_BINDINGS(zorbelin_mirror)
{
    emscripten::function("zorbelinMirrorActivate", &AccessibleMirror::activate);
    emscripten::function("zorbelinMirrorFocus", &AccessibleMirror::focusFromPage);
}

namespace {

AccessibleMirror *mirror = nullptr;

emscripten::val page()
{
    return emscripten::val::module_property("zorbelinMirror");
}

// The ARIA role for a Qt role, and whether the element holds its text
// itself rather than Qt children; roles without one are left out.
struct AriaRole
{
    QAccessible::Role qt;
    const char *aria;
    bool leaf;
};
constexpr AriaRole ariaRoles[] = {
    {QAccessible::Window, "application", false}, {QAccessible::Grouping, "group", false},
    {QAccessible::List, "listbox", false},       {QAccessible::ListItem, "option", true},
    {QAccessible::PushButton, "button", true},   {QAccessible::RadioButton, "radio", true},
    {QAccessible::CheckBox, "checkbox", true},   {QAccessible::StaticText, "", true},
    {QAccessible::Graphic, "img", true},         {QAccessible::EditableText, "textbox", true},
};

const AriaRole *ariaRole(QAccessible::Role role)
{
    for (const AriaRole &known : ariaRoles) {
        if (known.qt == role)
            return &known;
    }
    return nullptr;
}

QString textOf(QAccessibleInterface *iface)
{
    QAccessibleTextInterface *text = iface->textInterface();
    return text ? text->text(0, text->characterCount()) : iface->text(QAccessible::Value);
}

} // namespace

bool AccessibleMirror::Node::operator==(const Node &other) const
{
    return parent == other.parent && index == other.index && qstrcmp(role, other.role) == 0 && name == other.name
        && description == other.description && text == other.text && flags == other.flags && place == other.place;
}

AccessibleMirror::AccessibleMirror(MainForm *form)
    : QObject(form)
    , m_form(form)
{
    mirror = this;
    // The page cannot tell whether a screen reader listens, so the report
    // goes to the live region, and the focus stays where a pupil left it.
    form->setReportTakesFocus(false);
    zorbelin_mirror_install();
    QAccessible::installUpdateHandler(&AccessibleMirror::noticeEvent);
    // The browser's platform has no accessibility of its own; switched on,
    // Qt's widgets report their changes, to the handler above.
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    if (QWidget *focus = form->focusWidget())
        m_focus = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(focus));
    schedule();
}

void AccessibleMirror::activate(QAccessible::Id id)
{
    QAccessibleInterface *iface = QAccessible::accessibleInterface(id);
    QAccessibleActionInterface *actions = iface ? iface->actionInterface() : nullptr;
    if (!actions)
        return;
    const QStringList names = actions->actionNames();
    for (const QString &action :
         {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction()}) {
        if (names.contains(action))
            return actions->doAction(action);
    }
}

void AccessibleMirror::focusFromPage(QAccessible::Id id)
{
    QAccessibleInterface *iface = QAccessible::accessibleInterface(id);
    QAccessibleActionInterface *actions = iface ? iface->actionInterface() : nullptr;
    if (id == mirror->m_focus || !actions
        || !actions->actionNames().contains(QAccessibleActionInterface::setFocusAction()))
        return;
    actions->doAction(QAccessibleActionInterface::setFocusAction());
}

void AccessibleMirror::noticeEvent(QAccessibleEvent *event)
{
    if (mirror)
        mirror->notice(event);
}

void AccessibleMirror::notice(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    switch (event->type()) {
    case QAccessible::Focus: {
        // A widget losing the focus to nothing reports itself.
        auto *widget = qobject_cast<QWidget *>(event->object());
        if (!widget || widget->hasFocus())
            m_focus = QAccessible::uniqueId(iface);
        break;
    }
    case QAccessible::TextInserted:
    case QAccessible::TextUpdated:
        if (iface->role() == QAccessible::EditableText)
            m_written.insert(QAccessible::uniqueId(iface));
        break;
    default:
        break;
    }
    schedule();
}

// Many changes come at once (a new board is hundreds of cells): the page
// hears of them together, once Qt is done.
void AccessibleMirror::schedule()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, &AccessibleMirror::sync);
}

void AccessibleMirror::sync()
{
    m_pending = false;
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_form);
    QSet<QAccessible::Id> seen;
    visit(window, 0, 0, window->rect(), seen);
    for (auto node = m_nodes.begin(); node != m_nodes.end();) {
        if (seen.contains(node.key())) {
            ++node;
        } else {
            page().call<void>("remove", node.key());
            node = m_nodes.erase(node);
        }
    }
    if (m_focus != m_focusShown && m_nodes.contains(m_focus)) {
        page().call<void>("focus", m_focus);
        m_focusShown = m_focus;
    }
    for (QAccessible::Id written : std::as_const(m_written)) {
        const auto node = m_nodes.constFind(written);
        if (node != m_nodes.cend() && !node->text.isEmpty())
            page().call<void>("announce", node->text.toStdString());
    }
    m_written.clear();
}

// Hands the page `iface` where it changed, then its children.
void AccessibleMirror::visit(QAccessibleInterface *iface, QAccessible::Id parent, int index, const QRectF &parentRect,
                             QSet<QAccessible::Id> &seen)
{
    const QAccessible::Id id = QAccessible::uniqueId(iface);
    seen.insert(id);
    const QAccessible::State state = iface->state();
    const AriaRole *role = ariaRole(iface->role());
    Node node;
    node.parent = parent;
    node.index = index;
    node.role = role ? role->aria : "";
    node.name = iface->text(QAccessible::Name);
    node.description = iface->text(QAccessible::Description);
    if (role && role->leaf)
        node.text = iface->role() == QAccessible::EditableText ? textOf(iface) : node.name;
    // An entry scrolled out of the list is still one of its entries.
    const bool hidden = !role || (state.invisible && iface->role() != QAccessible::ListItem);
    node.flags = (hidden ? 1 : 0) | (state.disabled ? 2 : 0) | (state.checkable ? 4 : 0) | (state.checked ? 8 : 0)
        | (state.selectable ? 16 : 0) | (state.selected ? 32 : 0) | (state.readOnly ? 64 : 0)
        | (state.multiLine ? 128 : 0) | (!role || role->leaf ? 512 : 0);
    // In hundredths of the parent's size, so the page's scaling needs nothing.
    const QRectF rect = iface->rect();
    if (parentRect.width() > 0 && parentRect.height() > 0) {
        node.place = QRectF((rect.x() - parentRect.x()) * 100 / parentRect.width(),
                            (rect.y() - parentRect.y()) * 100 / parentRect.height(),
                            rect.width() * 100 / parentRect.width(), rect.height() * 100 / parentRect.height());
    }
    const auto known = m_nodes.constFind(id);
    if (known == m_nodes.cend() || !(*known == node)) {
        page().call<void>("update", id, parent, index, std::string(node.role), node.name.toStdString(),
                          node.description.toStdString(), node.text.toStdString(), node.flags, node.place.x(),
                          node.place.y(), node.place.width(), node.place.height());
        m_nodes.insert(id, node);
    }
    if (!role || role->leaf)
        return;
    int shown = 0;
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface *child = iface->child(i))
            visit(child, id, shown++, rect, seen);
    }
}

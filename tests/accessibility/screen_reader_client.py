"""A screen reader's view of the calculator, through python3-pyatspi on the accessibility bus:
the client that at_spi_session.sh runs against the real program.

    screen_reader_client.py absent PID               the program is not on the bus
    screen_reader_client.py session PID WORK_DIR     listening already, asks the session for
                                                     assistive technology, hears the program
                                                     announce its window and focus, walks and
                                                     checks its tree, writes it to
                                                     WORK_DIR/tree.txt, and uses it as a
                                                     screen reader's user would

Typing goes through xdotool, as a user's keyboard; everything else through AT-SPI. Exits 1
with the reason on the first check that fails.
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

CAPTION = "[QLX]Kalvetra v1.2 (32-Bit)"
PAGES = ["Mantıksal", "Matematiksel", "Dönüşüm", "Hakkında"]
ADDRESS = "http://www.qlx.example/"


class CheckFailed(Exception):
    pass


def check(condition, message):
    if not condition:
        raise CheckFailed(message)


def pump(seconds=0.0):
    """Dispatches the bus's events for a while, at least once."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= deadline:
            return
        time.sleep(0.02)


def wait_for(predicate, what, seconds=15.0):
    deadline = time.monotonic() + seconds
    while True:
        pump()
        result = predicate()
        if result:
            return result
        check(time.monotonic() < deadline, "timed out waiting for " + what)
        time.sleep(0.05)


def find_application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(accessible, depth=0):
    yield depth, accessible
    for child in accessible:
        yield from walk(child, depth + 1)


def find(root, role, name):
    for _, accessible in walk(root):
        if accessible.getRoleName() == role and accessible.name == name:
            return accessible
    raise CheckFailed(f"no {role} named {name!r}")


def text_of(accessible):
    text = accessible.queryText()
    return text.getText(0, text.characterCount)


def keyboard(*keys):
    subprocess.run(["xdotool", "key", "--delay", "40", *keys], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)


class Events:
    """The events a screen reader hears, as (type, role, name, any_data)."""

    def __init__(self, pid):
        self.pid = pid
        self.heard = []
        pyatspi.Registry.registerEventListener(
            self.hear, "object:state-changed:focused", "object:state-changed:checked",
            "object:text-changed", "object:selection-changed", "object:state-changed:showing",
            "window:activate")

    def hear(self, event):
        source = event.source
        try:
            if source.get_process_id() != self.pid:
                return
            self.heard.append((event.type, source.getRoleName(), source.name, event.detail1,
                               event.any_data))
        except Exception:  # an object gone while the event travelled
            pass

    def clear(self):
        pump()
        self.heard.clear()

    def wait(self, kind, name, what, detail1=None):
        def found():
            return any(type_.startswith(kind) and source == name and
                       (detail1 is None or detail == detail1)
                       for type_, _, source, detail, _ in self.heard)
        wait_for(found, what)


def check_tree(app, work):
    """Walks the tree, writes it out, and checks what the screen reader meets."""
    lines = [f"{'  ' * depth}{a.getRoleName()} '{a.name}'" for depth, a in walk(app)]
    with open(os.path.join(work, "tree.txt"), "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    dialog = app[0]
    check(dialog.getRoleName() == "dialog" and dialog.name == CAPTION,
          f"the window is {dialog.getRoleName()} {dialog.name!r}")
    tab_list = dialog[0]
    check(tab_list.getRoleName() == "page tab list", "no page tab list first in the window")
    check([tab.name for tab in tab_list] == PAGES, f"tabs {[tab.name for tab in tab_list]}")
    clear = find(dialog, "push button", "Temizle")
    check(clear.getState().contains(pyatspi.STATE_IS_DEFAULT), "Temizle is not the default")
    for page_tab in tab_list:
        page = page_tab[0]
        names = [a.name for _, a in walk(page) if a.getState().contains(pyatspi.STATE_FOCUSABLE)]
        check(len(names) == len(set(names)), f"names repeat on {page_tab.name}: {names}")
        check("=" not in names and "" not in names, f"an unnamed control on {page_tab.name}")
    result = find(dialog, "entry", "AND sonucu")
    check(result.getState().contains(pyatspi.STATE_READ_ONLY), "a result field is editable")
    check(result.getAttributes().count("live:polite") == 1, "a result field is not live")
    label = find(dialog, "label", "İkilik Sonuç")
    targets = [(target.getRoleName(), target.name) for relation in label.getRelationSet()
               if relation.getRelationType() == pyatspi.RELATION_LABEL_FOR
               for target in (relation.getTarget(i) for i in range(relation.getNTargets()))]
    check(targets == [("entry", "İkilik Sonuç")], f"the label İkilik Sonuç names {targets}")
    check(find(dialog, "image", "Kalvetra v1.2").description != "", "the banner has no description")
    return dialog


def ask_for_assistive_technology():
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                    "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                   check=True, stdout=subprocess.DEVNULL)


def use_as_a_reader(dialog, events, work):
    first = find(dialog, "entry", "AND birinci değer")
    second = find(dialog, "entry", "AND ikinci değer")
    result = find(dialog, "entry", "AND sonucu")
    check(first.getState().contains(pyatspi.STATE_FOCUSED), "the first operand has no focus")

    # Typed at the keyboard, read back through the Text interface.
    events.clear()
    type_text("1f")
    wait_for(lambda: text_of(first) == "1F", "the typed digits in the field")
    events.wait("object:text-changed:insert", "AND birinci değer", "the typing's text event")
    keyboard("Tab")
    events.wait("object:state-changed:focused", "AND ikinci değer", "the focus event", 1)
    type_text("3")
    wait_for(lambda: text_of(second) == "3", "the second operand")

    # The row's button through its action; the result is heard as it is written.
    events.clear()
    button = find(dialog, "push button", "AND hesapla")
    check(button.queryAction().getName(0) == "click", "the button's action is not a click")
    check(button.queryAction().doAction(0), "the button's action failed")
    wait_for(lambda: text_of(result) == "00000003", "the AND result")
    events.wait("object:text-changed:insert", "AND sonucu", "the result's text event")

    # The carry box, toggled through its action.
    events.clear()
    carry = find(dialog, "check box", "Carry Flag")
    carry.queryAction().doAction(0)
    wait_for(lambda: carry.getState().contains(pyatspi.STATE_CHECKED), "the ticked carry box")
    events.wait("object:state-changed:checked", "Carry Flag", "the checked event", 1)

    # A page switch through the tab list, and typing at once.
    events.clear()
    tab_list = dialog[0]
    check(tab_list.querySelection().selectChild(1), "the tab list refused the selection")
    events.wait("object:state-changed:focused", "ADD birinci değer", "the focus on the new page", 1)
    type_text("7")
    add_first = find(dialog, "entry", "ADD birinci değer")
    wait_for(lambda: text_of(add_first) == "7", "digits typed right after the switch")
    check(tab_list[1].getState().contains(pyatspi.STATE_SELECTED), "the tab is not selected")

    # Text written through EditableText meets the paste rules: the byte pairs refuse it, the
    # text field takes it and the page converts it.
    tab_list.querySelection().selectChild(2)
    pairs = find(dialog, "entry", "Onaltılık Değer (String)")
    text_field = find(dialog, "entry", "String Değer")
    pairs.queryEditableText().setTextContents("41")
    text_field.queryEditableText().setTextContents("AB")
    wait_for(lambda: text_of(pairs) == "41 42", "the byte pairs of the written text")

    # The link opens through its action, as a click does.
    tab_list.querySelection().selectChild(3)
    link = find(dialog, "link", "http://www.qlx.example")
    link.queryAction().doAction(0)
    opened = os.path.join(work, "opened")
    wait_for(lambda: os.path.exists(opened) and open(opened).read().strip() == ADDRESS,
             "the opener's argument")


def main():
    mode, pid = sys.argv[1], int(sys.argv[2])
    try:
        if mode == "absent":
            pump(1.5)
            check(find_application(pid) is None, "the program is on the bus uninvited")
        else:
            work = sys.argv[3]
            events = Events(pid)
            ask_for_assistive_technology()
            app = wait_for(lambda: find_application(pid), "the program on the bus")
            events.wait("window:activate", CAPTION, "the window's activation")
            events.wait("object:state-changed:focused", "AND birinci değer", "the first focus", 1)
            dialog = check_tree(app, work)
            use_as_a_reader(dialog, events, work)
    except CheckFailed as failure:
        print(f"screen_reader_client: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

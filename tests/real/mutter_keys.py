"""Types keys on mutter's virtual keyboard, through its remote-desktop
interface on the session bus, as a user at the keyboard would.

Usage: mutter_keys.py KEYSYM...   (X keysyms in hex: 0xffe9 is Alt, 0xffc1 F4)
Presses the keys in order and releases them in reverse, so "0xffe9 0xffc1"
is Alt+F4. The session lives only as long as this process does.
"""
import sys

from gi.repository import Gio, GLib

SERVICE = "org.gnome.Mutter.RemoteDesktop"


def call(bus, path, interface, method, args=None, reply=None):
    return bus.call_sync(SERVICE, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 10000, None)


def main():
    keys = [int(k, 16) for k in sys.argv[1:]]
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    session = call(bus, "/org/gnome/Mutter/RemoteDesktop", SERVICE, "CreateSession", reply="(o)").unpack()[0]
    interface = SERVICE + ".Session"
    call(bus, session, interface, "Start")
    for key, pressed in [(k, True) for k in keys] + [(k, False) for k in reversed(keys)]:
        call(bus, session, interface, "NotifyKeyboardKeysym", GLib.Variant("(ub)", (key, pressed)))
    call(bus, session, interface, "Stop")


main()

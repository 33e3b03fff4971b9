"""Types keys on mutter's virtual keyboard, through its remote-desktop
interface on the session bus, as a user at the keyboard would.

Usage: mutter_keys.py
Reads one chord a line on its input, as X keysyms in hex ("0xffe9 0xffc1"
is Alt+F4: 0xffe9 is Alt, 0xffc1 F4), presses the keys in order and releases
them in reverse, and answers "typed" on its output. One session lasts until
the input ends: mutter takes the keyboard focus from the window whenever a
session's virtual keyboard comes or goes.
"""
import sys

from gi.repository import Gio, GLib

SERVICE = "org.gnome.Mutter.RemoteDesktop"


def call(bus, path, interface, method, args=None, reply=None):
    return bus.call_sync(SERVICE, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                         Gio.DBusCallFlags.NONE, 10000, None)


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    session = call(bus, "/org/gnome/Mutter/RemoteDesktop", SERVICE, "CreateSession", reply="(o)").unpack()[0]
    interface = SERVICE + ".Session"
    call(bus, session, interface, "Start")
    for line in sys.stdin:
        keys = [int(k, 16) for k in line.split()]
        for key, pressed in [(k, True) for k in keys] + [(k, False) for k in reversed(keys)]:
            call(bus, session, interface, "NotifyKeyboardKeysym", GLib.Variant("(ub)", (key, pressed)))
        print("typed", flush=True)
    call(bus, session, interface, "Stop")


main()

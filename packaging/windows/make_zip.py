"""Usage: make_zip.py ZIP EPOCH NAME=FILE...

Writes ZIP with each FILE stored under NAME, in the order given, deflated,
dated EPOCH (seconds since 1970, UTC) and with the modes a download should
have: 0755 for programs (.exe), 0644 for the rest. Nothing of the machine
that makes it goes in (no owner, no local time, no time extras), so the
same files make the same bytes.
"""
import sys
import time
import zipfile


def main():
    out, epoch, entries = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    # A zip's times are two-second steps from 1980 on.
    date = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(out, "w") as archive:
        for entry in entries:
            name, path = entry.split("=", 1)
            info = zipfile.ZipInfo(name, date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that the modes below are read
            mode = 0o755 if name.endswith(".exe") else 0o644
            info.external_attr = (0o100000 | mode) << 16
            with open(path, "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)


if __name__ == "__main__":
    main()

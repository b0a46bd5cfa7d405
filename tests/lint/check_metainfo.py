#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The AppStream metadata as a software centre reads it: valid without a
single remark from appstreamcli, naming the desktop entry and icon that are
installed beside it, its screenshots present under the stable names it gives
them, and its newest release the version the build makes.

check_metainfo.py DATA_DIR APP_ID VERSION
"""

import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET


def main(data, app_id, version):
    problems = []
    path = os.path.join(data, f"{app_id}.metainfo.xml")
    # --strict: infos fail it as well as warnings and errors.
    run = subprocess.run(["appstreamcli", "validate", "--strict", "--no-net", "--explain", path],
                         capture_output=True, text=True)
    if run.returncode != 0:
        problems.append("appstreamcli validate:\n" + run.stdout + run.stderr)

    root = ET.parse(path).getroot()
    if root.findtext("id") != app_id:
        problems.append(f"the id is {root.findtext('id')}, not {app_id}")
    launchable = root.findtext("launchable")
    if launchable != f"{app_id}.desktop" or not os.path.isfile(os.path.join(data, launchable)):
        problems.append(f"the launchable {launchable} is not the desktop entry {app_id}.desktop")
    if not os.path.isfile(os.path.join(data, f"{root.findtext('icon')}.svg")):
        problems.append(f"no scalable icon named {root.findtext('icon')}")
    if root.find("content_rating") is None:
        problems.append("no content rating")

    shots = root.findall("screenshots/screenshot/image")
    if not shots:
        problems.append("no screenshots")
    for image in shots:
        name = image.text.strip().rsplit("/", 1)[-1]
        shot = os.path.join(data, "screenshots", name)
        if not os.path.isfile(shot):
            problems.append(f"screenshot {name} is not in {data}/screenshots")
            continue
        with open(shot, "rb") as f:
            header = f.read(24)
        size = struct.unpack(">II", header[16:24]) if header[:8] == b"\x89PNG\r\n\x1a\n" else None
        want = (int(image.get("width")), int(image.get("height")))
        if size != want:
            problems.append(f"screenshot {name} is {size}, the metadata says {want}")

    releases = root.findall("releases/release")
    if not releases or releases[0].get("version") != version:
        problems.append(f"the newest release is not {version}")

    entry = open(os.path.join(data, f"{app_id}.desktop")).read().splitlines()
    if f"Icon={app_id}" not in entry:
        problems.append(f"the desktop entry's icon is not {app_id}")

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

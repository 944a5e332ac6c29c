"""The connector Pondial.exe under Wine with the project's stand-in rasapi32.dll beside it:
its start-up checks, the skinned window, the item menu, the phonebook entries it prepares and
the settings dialog with the files it writes."""

import os
import shutil
import struct
from pathlib import Path

import pytest

from winerig import PATIENCE

pytestmark = pytest.mark.program("Pondial.exe")

EXE = "Pondial.exe"
TITLE = "Lumanet"
SETTINGS_TITLE = "다음항목을 셋팅해주세요..."
STANDIN_RAS = Path(os.environ.get("E2E_STANDIN_RAS", Path(os.environ.get("E2E_BUILD_DIR", "build/win32"))
                                  / "tools/standin_ras/rasapi32.dll")).resolve()
APP_KEY = r"HKCU\Software\Wine\AppDefaults\Pondial.exe"

CONNECT, SETTINGS, HELP, MINIMIZE = 1000, 1020, 1031, 1058
LAMPS = (1051, 1057, 1056, 1052, 1053, 1055, 1054)
NUMBER_4, LINE_PREFIX, SETTINGS_CANCEL, OK = 1022, 1004, 1001, 1
FIRST_ITEM_COMMAND = 32001
WS_EX_TOPMOST = 0x8

# The stand-in's phonebook: a 257-byte name, padding to 260, then the 1768-byte entry.
ENTRY_OFFSET, STORED_SIZE = 260, 260 + 1768
NUMBER_AT, DNS_AT, SCRIPT_AT, DEVICE_NAME_AT = 27, 164, 192, 989

ITEMS = ["인터넷", "게임방"]
SKIN_FILES = ("dial_help.avi", "dial_connect.bmp", "dial_settings.bmp", "dial_hangup.bmp", "dial_quit.bmp", "dial_bg.bmp")


def c_string(data, offset, size):
    return data[offset:offset + size].split(b"\0")[0].decode("cp949")


def phonebook(program_dir):
    """{entry name: (number, dns octets, script, device name)} of the stand-in's phonebook."""
    path = program_dir / "standin-phonebook.dat"
    data = path.read_bytes() if path.exists() else b""
    entries = {}
    for start in range(0, len(data) - STORED_SIZE + 1, STORED_SIZE):
        entry = data[start + ENTRY_OFFSET:start + STORED_SIZE]
        entries[c_string(data, start, 257)] = (c_string(entry, NUMBER_AT, 129), tuple(entry[DNS_AT:DNS_AT + 4]),
                                               c_string(entry, SCRIPT_AT, 260), c_string(entry, DEVICE_NAME_AT, 129))
    return entries


@pytest.fixture
def connector_dir(program_dir, registry):
    """The program directory with the stand-in RAS beside the program, preferred by Wine,
    and the default NT version."""
    shutil.copy(STANDIN_RAS, program_dir / "rasapi32.dll")
    registry.set_value(APP_KEY + r"\DllOverrides", "rasapi32", "REG_SZ", "native,builtin")
    registry.delete_key(APP_KEY)
    registry.set_value(APP_KEY + r"\DllOverrides", "rasapi32", "REG_SZ", "native,builtin")
    return program_dir


def script_ras(program_dir, *lines):
    (program_dir / "standin-ras.ini").write_text("\n".join(lines) + "\n")


def centre(driver, hwnd):
    left, top, right, bottom = (int(value) for value in driver.info(hwnd)["rect"])
    return (left + right) // 2, (top + bottom) // 2


def click_control(driver, window, control_id):
    x, y = centre(driver, driver.control(window, control_id))
    driver.mouse_click(x, y)


def start_connector(launch, driver, directory):
    program = launch(EXE, directory=directory)
    return program, driver.find_window(TITLE, pid=None)["hwnd"]


def test_starts_on_nt_with_its_skin_and_an_entry_for_every_item(launch, driver, connector_dir):
    (connector_dir / "config" / "EndTransfer.ini").write_bytes(b"UPDATE")
    _, window = start_connector(launch, driver, connector_dir)
    info = driver.info(window)
    assert [int(value) for value in info["rect"]] == [0, 0, 404, 327]
    for lamp in LAMPS:
        assert not driver.info(driver.control(window, lamp))["visible"]
    connect = driver.info(driver.control(window, CONNECT))
    assert [int(value) for value in connect["rect"]] == [24, 244, 104, 308]
    driver.screenshot(window, "connector")

    entries = phonebook(connector_dir)
    assert sorted(entries) == sorted(ITEMS)
    number, dns, script, device = entries["게임방"]
    assert (number, dns, device) == ("01410", (127, 0, 0, 1), "Stand-in modem 1")
    assert script.endswith("\\script\\게임방.scp")
    assert (connector_dir / "config" / "EndTransfer.ini").read_bytes() == bytes(10)
    assert (connector_dir / "config" / "Receive.ini").read_bytes() == bytes(10)

"""The connector Pondial.exe under Wine with the project's stand-in rasapi32.dll beside it:
its start-up checks, the skinned window, the item menu, the phonebook entries it prepares and
the settings dialog with the files it writes."""

import os
import re
import shutil
import subprocess
from pathlib import Path

import pytest

from connector import (APP_KEY, AWAY, CONFIRM_OK, CONNECT, EXE, HELP, LAMPS, MINIMIZE, SETTINGS, TITLE,
                       choose_last_item, click_control, lit, open_item_menu, use_standin_ras)
from machine import StandinProgram
from winerig import PATIENCE, DriverTimeout
# The updater's loopback FTP server and its question, for the evening's whole chain.
from test_update import ADDRESS, OLD_VERSION, ftp_root, offered, serve  # noqa: F401

pytestmark = pytest.mark.program("Pondial.exe")

SETTINGS_TITLE = "다음항목을 셋팅해주세요..."
NUMBER_4, LINE_PREFIX, SETTINGS_CANCEL = 1022, 1004, 1001
FIRST_ITEM_COMMAND = 32001
WS_MINIMIZE = 0x20000000

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
    use_standin_ras(registry, program_dir)
    return program_dir


def script_ras(program_dir, *lines):
    (program_dir / "standin-ras.ini").write_text("\n".join(lines) + "\n")


def open_by_click(driver, window, control_id, title, class_name=None):
    """Clicks a skin control until the window it opens appears: under Xvfb a synthetic click
    on the spot of an earlier one, whose release went to a modal window, may be lost."""
    for _ in range(3):
        click_control(driver, window, control_id)
        try:
            return driver.find_window(title, timeout=PATIENCE / 3, class_name=class_name)["hwnd"]
        except DriverTimeout:
            continue
    raise DriverTimeout("clicking control %d opened no %r" % (control_id, title))


def start_connector(launch, driver, directory):
    driver.mouse_move(*AWAY)
    driver.mouse_move(*AWAY)
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


def test_a_changed_name_server_recreates_the_entries_keeping_their_number(launch, driver, connector_dir):
    program, window = start_connector(launch, driver, connector_dir)
    driver.close_window(window)
    assert program.wait_exit() == 0
    # The user's choice, as the settings would have stored it.
    path = connector_dir / "standin-phonebook.dat"
    data = bytearray(path.read_bytes())
    for start in range(0, len(data), STORED_SIZE):
        number = start + ENTRY_OFFSET + NUMBER_AT
        data[number:number + 8] = b"9,01411\0"
    path.write_bytes(bytes(data))
    position = connector_dir / "config" / "position.ini"
    position.write_bytes(position.read_bytes().replace(b"[DNSADDR] 127 0 0 1", b"[DNSADDR] 10 20 30 40"))

    start_connector(launch, driver, connector_dir)
    entries = phonebook(connector_dir)
    assert sorted(entries) == sorted(ITEMS)
    assert all(entry[:2] == ("9,01411", (10, 20, 30, 40)) for entry in entries.values())


def test_windows98_ends_at_each_missing_component_with_its_message(launch, driver, connector_dir, registry,
                                                                    wine_session):
    registry.set_value(APP_KEY, "Version", "REG_SZ", "win98")
    tcp_ip, adapter = r"HKLM\Enum\Network\MSTCP", r"HKLM\Enum\Root\Net\0042"
    registry.delete_key(tcp_ip)
    registry.delete_key(adapter)
    registry.set_value(r"HKLM\System\CurrentControlSet\Services\Class\Net\0007", "AdapterName", "REG_SZ", "MS$PPP")
    scripting = Path(wine_session.prefix) / "drive_c" / "windows" / "system" / "smmscrpt.dll"
    scripting.parent.mkdir(parents=True, exist_ok=True)
    scripting.write_bytes(b"")
    messages = [
        "다음사항을 설치하여 주십시오\n1.전화접속어댑터\n2.TCP/IP\n위사항을 반드시 설치하셔야 합니다.",
        "TCP/IP 프로토콜이 설치 되지 않았읍니다.\nTCP/IP프로토콜을 설치하여 주십시오.",
        "전화접속어댑터가 설치 되지 않았읍니다.\n전화접속어댑터를 설치하여 주십시오.",
    ]
    for message, install in zip(messages, (lambda: None, lambda: registry.set_value(adapter, "Driver", "REG_SZ", r"Net\0007"),
                                           lambda: (registry.delete_key(adapter), registry.add_key(tcp_ip)))):
        install()
        program = launch(EXE, directory=connector_dir)
        box = driver.find_message_box(caption="알림")
        assert box["text"] == message
        driver.close_message_box(box)
        assert program.wait_exit() == 0
        assert phonebook(connector_dir) == {}

    registry.set_value(adapter, "Driver", "REG_SZ", r"Net\0007")
    start_connector(launch, driver, connector_dir)
    assert sorted(phonebook(connector_dir)) == sorted(ITEMS)


def test_without_a_modem_it_offers_the_modem_panel_and_ends(launch, driver, connector_dir):
    script_ras(connector_dir, "devices=isdn")
    program = launch(EXE, directory=connector_dir)
    box = driver.find_message_box(caption="알림")
    assert box["text"] == "모뎀이 설치 되어있지 않습니다.\n모뎀을 설치합니다."
    driver.close_message_box(box)
    assert program.wait_exit() == 0
    # Entries take the first device, modem or not.
    assert {entry[3] for entry in phonebook(connector_dir).values()} == {"Stand-in isdn 1"}


def test_resting_on_the_connect_button_opens_the_item_menu(launch, driver, connector_dir):
    program, window = start_connector(launch, driver, connector_dir)
    menu = open_item_menu(driver, window)
    items = driver.popup_menu(menu)
    assert [(item["text"], item["enabled"]) for item in items[:1]] == [("항목을 클릭해 주세요...", False)]
    assert items[1]["separator"]
    assert [(item["id"], item["text"]) for item in items[2:]] == [(FIRST_ITEM_COMMAND, "인터넷"),
                                                                   (FIRST_ITEM_COMMAND + 1, "게임방")]
    # The menu with the window it opened from.
    right, bottom = (int(value) for value in driver.info(menu)["rect"][2:])
    driver.session.screenshot(driver.output_dir / "item-menu.png", (0, 0, max(right, 404), max(bottom, 327)))


def test_settings_save_their_files_and_the_chosen_number_reaches_the_entries(launch, driver, connector_dir):
    config = connector_dir / "config"
    _, window = start_connector(launch, driver, connector_dir)

    dialog = open_by_click(driver, window, SETTINGS, SETTINGS_TITLE)
    driver.press(dialog, SETTINGS_CANCEL)
    driver.wait_gone(dialog)
    setup = (config / "setup.ini").read_bytes()
    assert [setup[i:i + 32].split(b"\0")[0] for i in range(0, 96, 32)] == [b"[NUMBER]", b"[AUTO]", b"[AUTOITEM]"]
    assert setup[12:14] == b"9\0" and setup[44:47] == b"NO\0"
    assert not (config / "url.ini").exists()

    dialog = open_by_click(driver, window, SETTINGS, SETTINGS_TITLE)
    driver.screenshot(dialog, "settings")
    driver.set_text(driver.control(dialog, LINE_PREFIX), "8")
    driver.click(driver.control(dialog, NUMBER_4), wait=True)
    driver.press(dialog, CONFIRM_OK)
    driver.wait_gone(dialog)
    assert (config / "url.ini").read_bytes() == b"http://www.lumanet.example/^NO^"
    # The number goes into the entries once the dialog has closed.
    numbers = driver.wait_for(lambda: {entry[0] for entry in phonebook(connector_dir).values()},
                              lambda found: found == {"8,01411"})
    assert numbers == {"8,01411"}


def test_the_help_button_opens_the_help(launch, driver, connector_dir):
    _, window = start_connector(launch, driver, connector_dir)
    assert open_by_click(driver, window, HELP, "루마넷 도움말", class_name="HH Parent")


def test_enter_and_a_right_click_do_nothing_and_escape_ends_it(launch, driver, connector_dir):
    program, window = start_connector(launch, driver, connector_dir)
    driver.key(window, "ENTER")
    driver.mouse_click(200, 120, button="right")
    # Input is handled in order, and a menu would take the click: the window minimises only
    # when neither Enter ended it nor the right click opened a menu. The click is repeated
    # because Xvfb may lose a synthetic one.
    minimised = lambda: driver.info(window)["style"] & WS_MINIMIZE
    for _ in range(3):
        assert not [w for w in driver.windows() if w["class"] == "#32768" and w["visible"]]
        click_control(driver, window, MINIMIZE)
        if driver.wait_for(minimised, bool, timeout=PATIENCE / 3):
            break
    assert minimised()
    driver.key(window, "ESCAPE")
    program.wait_exit()


def test_the_help_file_leads_each_component_keyword_to_its_page(program_dir, tmp_path):
    if not shutil.which("chmls"):
        pytest.skip("chmls (Debian's fp-utils) is not installed")
    index = tmp_path / "index.hhk"
    subprocess.run(["chmls", "extractindex", str(program_dir / "Pondial.chm"), str(index)],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=PATIENCE, check=True)
    text = index.read_bytes().decode("cp949", errors="replace")
    for keyword, page in (("전화접속어댑터", "adapter.htm"), ("TCP/IP설정방법", "tcpip.htm")):
        assert re.search(r'value="%s">\s*<param name="Local" value="%s"' % (re.escape(keyword), page), text)


DONT_ASK = 1064


def point_at_server(connector_dir):
    """The updater's server for the connector's directory, with an old version installed."""
    config = connector_dir / "config"
    (config / "version.ini").write_bytes(OLD_VERSION.encode("cp949"))
    position = config / "position.ini"
    position.write_bytes(position.read_bytes() + b"\r\n[FTPADDR] %s\r\n" % ADDRESS.replace(".", " ").encode())


def dial_game_item(driver, window):
    choose_last_item(driver, window)
    confirm = driver.find_window("게임방")["hwnd"]
    driver.screenshot(confirm, "confirm")
    driver.press(confirm, CONFIRM_OK)
    assert driver.wait_for(lambda: lit(driver, window), lambda lamps: len(lamps) >= 6) == list(LAMPS[:6])
    driver.screenshot(window, "connected")


def never_ask(connector_dir, item):
    """The item's "message.ini" record: a 20-byte name and the flag "YES"."""
    name = item.encode("cp949")
    (connector_dir / "config" / "message.ini").write_bytes(name + bytes(20 - len(name)) + b"YES\0")


def test_the_game_item_dials_updates_and_starts_the_client(launch, driver, connector_dir, serve, wine_session):
    point_at_server(connector_dir)
    client = StandinProgram(wine_session, connector_dir, "Client.exe")
    sample = os.urandom(5000)
    serve("[UTIL]\nsample.dll\n", {"sample.dll": sample})

    program, window = start_connector(launch, driver, connector_dir)
    dial_game_item(driver, window)

    driver.press(offered(driver)["hwnd"], CONFIRM_OK)
    starts = client.wait_starts(1)
    assert starts[0][0].endswith("\\Client.exe")
    assert (connector_dir / "util" / "sample.dll").read_bytes() == sample
    assert driver.wait_for(lambda: driver.info(window)["style"] & WS_MINIMIZE, bool)
    assert LAMPS[6] in lit(driver, window)
    assert (connector_dir / "config" / "EndTransfer.ini").read_bytes()[:1] == b"\0"
    program.check()


def test_an_update_that_restarts_closes_the_connector_and_the_updater_starts_it_again(launch, driver, connector_dir,
                                                                                      serve):
    point_at_server(connector_dir)
    serve("[RESTART]\n[UTIL]\nsample.dll\n", {"sample.dll": b"new"})
    program, window = start_connector(launch, driver, connector_dir)
    dial_game_item(driver, window)
    driver.press(offered(driver)["hwnd"], CONFIRM_OK)
    assert program.wait_exit() == 0
    again = driver.wait_for(lambda: [w for w in driver.windows() if w["title"] == TITLE and w["visible"]], bool)
    assert again and again[0]["hwnd"] != window
    assert (connector_dir / "util" / "sample.dll").read_bytes() == b"new"


def test_a_ticked_never_ask_dials_the_next_time_without_a_question(launch, driver, connector_dir, wine_session):
    # Without an updater to wait for, the item's program starts at the next tick.
    (connector_dir / "Update.exe").unlink()
    client = StandinProgram(wine_session, connector_dir, "Client.exe")
    program, window = start_connector(launch, driver, connector_dir)
    choose_last_item(driver, window)
    confirm = driver.find_window("게임방")["hwnd"]
    driver.click(driver.control(confirm, DONT_ASK))
    driver.press(confirm, CONFIRM_OK)
    assert len(client.wait_starts(1)) == 1
    driver.close_window(window)
    assert program.wait_exit() == 0

    _, window = start_connector(launch, driver, connector_dir)
    choose_last_item(driver, window)
    assert len(client.wait_starts(2)) == 2
    assert lit(driver, window) == list(LAMPS)
    assert not [w for w in driver.windows() if w["title"] == "게임방" and w["visible"]]


def test_an_internet_item_starts_its_program_from_the_connect_button(launch, driver, connector_dir, wine_session):
    (connector_dir / "config" / "filelist.ini").write_bytes("인터넷^internet^웹으로?^web.exe\r\n".encode("cp949"))
    never_ask(connector_dir, "인터넷")
    (connector_dir / "Update.exe").unlink()
    web = StandinProgram(wine_session, connector_dir, "web.exe")
    _, window = start_connector(launch, driver, connector_dir)
    click_control(driver, window, CONNECT)
    assert web.wait_starts(1)[0][0].endswith("\\web.exe")


def test_a_dial_error_shows_the_ras_text_and_leaves_the_window_ready(launch, driver, connector_dir):
    script_ras(connector_dir, "dial-error=2 678")
    (connector_dir / "temp").mkdir()
    (connector_dir / "temp" / "change.ini").write_text("left over")
    _, window = start_connector(launch, driver, connector_dir)
    choose_last_item(driver, window)
    driver.press(driver.find_window("게임방")["hwnd"], CONFIRM_OK)
    box = driver.find_message_box(caption="알림")
    assert box["text"] == "There is no answer."
    driver.close_message_box(box, CONFIRM_OK)
    assert driver.wait_for(lambda: lit(driver, window), lambda lamps: not lamps) == []
    assert not (connector_dir / "temp").exists()
    # Ready again: the menu opens and the item can be dialed once more.
    choose_last_item(driver, window)
    assert driver.find_window("게임방")["hwnd"]

"""A lobby behind another window calls its player back: the taskbar button flashes and the
sound file of the event is played, unless config/client.ini asks for quiet."""

import os

import pytest
from PIL import Image

from lobby import MEMBER_LIST, Lobby, join, room_window, show_rooms

pytestmark = pytest.mark.program("Client.exe")

FRONT_TITLE = "최소 대화상자"
# An access time that any read of the file moves on.
UNREAD = 0


def caption_look(driver, hwnd):
    """The pixels of the window's caption strip. Wine draws a flash as an active caption."""
    left, top, right, _ = driver.info(hwnd)["rect"]
    path = driver.output_dir / "caption.png"
    driver.session.screenshot(path, (left, top, right, top + 12))
    return Image.open(path).convert("RGB").tobytes()


def unread(sound):
    os.utime(sound, (UNREAD, sound.stat().st_mtime))


def played(sound):
    return sound.stat().st_atime != UNREAD


def room_behind(launch, driver, chat_peer, minimal_dialog):
    """A lobby in a room with one other member, and another program's window in front of it."""
    lobby = Lobby.logged_in(launch, driver, chat_peer)
    show_rooms(lobby, chat_peer)
    join(lobby, chat_peer, 1, 2, "JOINORDER^YES^StarCraft^1")
    room = room_window(lobby, "둘째방")
    chat_peer.send("ROOM^kim^lee")
    driver.wait_for(lambda: driver.list_box(driver.control(room, MEMBER_LIST))["items"], lambda items: len(items) == 2)
    launch(minimal_dialog.name, directory=minimal_dialog.parent)
    driver.find_window(FRONT_TITLE)
    return lobby, room


@pytest.mark.parametrize("quiet", [False, True], ids=["sound", "quiet"])
def test_newcomer_and_memo_call_back_a_lobby_behind_another_window(launch, driver, chat_peer, program_dir,
                                                                      minimal_dialog, quiet):
    if quiet:
        (program_dir / "config" / "client.ini").write_bytes(b"[SOUND] NO\r\n")
    lobby, room = room_behind(launch, driver, chat_peer, minimal_dialog)
    message = program_dir / "media" / "message.wav"
    unread(message)
    behind = caption_look(driver, lobby.hwnd)

    chat_peer.send("ROOM^kim^lee^park")
    assert driver.wait_for(lambda: caption_look(driver, lobby.hwnd), lambda look: look != behind) != behind
    driver.screenshot(lobby.hwnd, "flashed")
    chat_peer.send("SEND_MAIL^lee^잠깐 와 봐")
    driver.find_window("lee님으로부터 쪽지가 왔습니다", pid=lobby.pid)
    if quiet:
        assert not played(message)
    else:
        assert driver.wait_for(lambda: played(message), bool)

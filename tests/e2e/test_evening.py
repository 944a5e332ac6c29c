"""The README's first command without a display: the typical evening plays itself, from
dialing the game item to a chat in a room with a second user, and leaves nothing running."""

import sys
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools"))
from evening import Album, Evening  # noqa: E402

pytestmark = [pytest.mark.program("Pondial.exe"), pytest.mark.program("LobbyServer.exe")]

STEPS = ("connector", "items", "confirm", "dialed", "offer", "update", "id", "lobby", "room")


def test_the_evening_plays_itself_and_leaves_nothing_running(wine_session, driver, program_dir, test_output,
                                                             tmp_path):
    album = Album(driver, test_output / "screenshots")
    with Evening(wine_session, driver, program_dir, tmp_path / "evening") as evening:
        sheet = evening.play_by_itself(album)

    assert [path.name for path, _ in album.pictures] == ["%02d-%s.png" % step for step in enumerate(STEPS, 1)]
    assert sheet.exists()
    assert not [program.name for program in evening.programs if program.running()]
    assert evening.friend.poll() is not None
    assert not {window["pid"] for window in driver.windows()} - evening.windows_before

"""The Windows installer, run silently in the session's prefix: the program directory it lays
out, the programs starting from there, and an uninstall that keeps what the user edited."""

import os
from pathlib import Path

from conftest import BUILD_DIR
from connector import use_standin_ras

INSTALLER = Path(os.environ.get("E2E_INSTALLER", BUILD_DIR / "Darak-Setup-1.0.exe"))
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DarakGameRoom"
START_MENU = Path("ProgramData/Microsoft/Windows/Start Menu/Programs/다락 게임방")
MAIN_WINDOWS = {"Client.exe": "다락 게임방", "게이트록.exe": "게이트록", "Pondial.exe": "Lumanet"}


def product_version(exe):
    """The ProductVersion string of a program's version resource."""
    data = exe.read_bytes()
    key = "ProductVersion\0".encode("utf-16-le")
    start = data.index(key) + len(key)
    start += -start % 4  # the value starts on a 32-bit boundary
    return data[start:data.index(b"\0\0", start) + 1].decode("utf-16-le")


def test_installer_lays_out_the_suite_and_uninstalls_what_it_installed(launch, driver, wine_session, registry):
    assert INSTALLER.exists(), "build the installer target first (it needs makensis)"
    drive_c = wine_session.prefix / "drive_c"
    installed = drive_c / "Darak"
    assert launch(INSTALLER.name, "/S", r"/D=C:\Darak", directory=INSTALLER.parent).wait_exit() == 0

    assert {path.name for path in installed.iterdir()} >= {*MAIN_WINDOWS, "Update.exe", "config", "media", "script", "util",
                                                           "uninstall.exe"}
    assert {path.name for path in (installed / "config").iterdir()} >= {"position.ini", "filelist.ini"}
    assert not list(installed.rglob("rasapi32.dll")), "the stand-in modem is a test fixture"
    assert {path.name for path in (drive_c / START_MENU).iterdir()} >= {"Lumanet.lnk", "다락 게임방.lnk", "게이트록.lnk"}
    version = INSTALLER.stem.rsplit("-", 1)[1]
    assert registry.value(UNINSTALL_KEY, "DisplayVersion")[1] == version
    programs = (*MAIN_WINDOWS, "Update.exe", "LobbyServer.exe")
    assert {exe: product_version(installed / exe) for exe in programs} == dict.fromkeys(programs, version)

    # The connector dials through the stand-in modem of the tests, never installed.
    use_standin_ras(registry, installed)
    for exe, title in MAIN_WINDOWS.items():
        program = launch(exe, directory=installed)
        driver.find_window(title)
        program.stop()
    # With no update server on this machine the updater says so in its own box.
    program = launch("Update.exe", directory=installed)
    driver.find_message_box(caption="Update")
    program.stop()

    (installed / "rasapi32.dll").unlink()
    edited = installed / "config" / "position.ini"
    edited.write_bytes(edited.read_bytes() + b"[CHATADDR] 10.0.0.1 9400\r\n")
    (installed / "config" / "setup.ini").write_bytes(bytes(96))
    launch("uninstall.exe", "/S", directory=installed)
    # It copies itself away and returns at once; its last step removes its registry entry.
    assert driver.wait_for(lambda: registry.value(UNINSTALL_KEY, "DisplayName"), lambda value: value is None) is None

    left = sorted(str(path.relative_to(installed)) for path in installed.rglob("*") if path.is_file())
    assert {"config/position.ini", "config/setup.ini"} <= set(left) and "config/filelist.ini" not in left
    assert not [name for name in left if name.endswith((".exe", ".bmp", ".avi"))], left
    assert not (drive_c / START_MENU).exists()

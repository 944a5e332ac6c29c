"""The connector Pondial.exe as its end-to-end tests see it: its control ids, the stand-in
rasapi32.dll that Wine is made to prefer beside it, and the steps of choosing an item."""

import os
import shutil
from pathlib import Path

EXE = "Pondial.exe"
TITLE = "Lumanet"
STANDIN_RAS = Path(os.environ.get("E2E_STANDIN_RAS", Path(os.environ.get("E2E_BUILD_DIR", "build/win32"))
                                  / "tools/standin_ras/rasapi32.dll")).resolve()
APP_KEY = r"HKCU\Software\Wine\AppDefaults\Pondial.exe"

CONNECT, SETTINGS, HELP, MINIMIZE = 1000, 1020, 1031, 1058
LAMPS = (1051, 1057, 1056, 1052, 1053, 1055, 1054)
CONFIRM_OK = 1
GAME_ITEM = "게임방"

# A point away from the window, where the pointer rests unless a test moves it: resting on the
# connect button opens the item menu.
AWAY = (700, 600)


def use_standin_ras(registry, directory, source=STANDIN_RAS):
    """Puts the stand-in RAS beside the program and has Wine prefer it there."""
    shutil.copy(source, Path(directory) / "rasapi32.dll")
    registry.delete_key(APP_KEY)
    registry.set_value(APP_KEY + r"\DllOverrides", "rasapi32", "REG_SZ", "native,builtin")


def centre(driver, hwnd):
    left, top, right, bottom = (int(value) for value in driver.info(hwnd)["rect"])
    return (left + right) // 2, (top + bottom) // 2


def click_control(driver, window, control_id):
    x, y = centre(driver, driver.control(window, control_id))
    driver.mouse_click(x, y)


def open_item_menu(driver, window):
    """Rests on the connect button until the item menu opens; the menu's window."""
    x, y = centre(driver, driver.control(window, CONNECT))
    # Xvfb echoes a synthetic move late with the old position: send it twice.
    driver.mouse_move(x, y)
    driver.mouse_move(x, y)
    return driver.find_window("", class_name="#32768")["hwnd"]


def choose_last_item(driver, window, menu=None):
    """Clicks the item menu's last item (the game room), opening the menu first if needed."""
    menu = menu or open_item_menu(driver, window)
    left, _, _, bottom = (int(value) for value in driver.info(menu)["rect"])
    driver.mouse_click(left + 30, bottom - 8)
    driver.mouse_move(*AWAY)


def lit(driver, window):
    return [lamp for lamp in LAMPS if driver.info(driver.control(window, lamp))["visible"]]

"""The rig itself, on our minimal dialog program: what the driver reads and does across
processes, crash detection and the code page switch that the program tests rely on."""

import pytest
from PIL import Image

from winerig import KOREAN, WESTERN, Driver, ProgramCrashed

TITLE = "최소 대화상자"
ROWS, NAMES, CHOICES, INPUT, ASK, ANSWER = 1001, 1002, 1003, 1004, 1005, 1006
ABOUT_COMMAND = 16
SC_CLOSE = 0xF060


@pytest.fixture
def dialog(launch, driver, minimal_dialog):
    program = launch(minimal_dialog.name, directory=minimal_dialog.parent)
    window = driver.find_window(TITLE)
    control = {name: driver.control(window["hwnd"], control_id) for name, control_id in
               dict(rows=ROWS, names=NAMES, choices=CHOICES, input=INPUT, ask=ASK, answer=ANSWER).items()}
    return program, window, control


def test_lists_are_read_and_selected_across_processes(driver, dialog):
    _, _, control = dialog
    assert driver.list_view(control["rows"]) == {
        "columns": 2, "rows": [["첫째 방", "2"], ["둘째 방", "12"], ["third", "5"]], "selected": []}
    driver.select_row(control["rows"], 1)
    assert driver.wait_text(control["answer"], "row 1") == "row 1"
    assert driver.list_view(control["rows"])["selected"] == [1]

    assert driver.list_box(control["names"]) == {"items": ["kim", "이순신", "park"], "selection": -1}
    driver.select_item(control["names"], 1)
    assert driver.wait_text(control["answer"], "name 1") == "name 1"
    assert driver.list_box(control["names"])["selection"] == 1
    assert driver.combo_box(control["choices"]) == {"items": ["하나", "둘"], "selection": 1}


def test_text_goes_in_by_characters_by_keyboard_and_at_once(driver, dialog):
    _, _, control = dialog
    driver.type(control["input"], 'a "quoted" 한글\\')
    assert driver.text(control["input"]) == 'a "quoted" 한글\\'
    driver.set_text(control["input"], "바뀐 글")
    info = driver.info(control["input"])
    assert (info["class"], info["id"], info["text"], info["visible"], info["enabled"]) == (
        "Edit", INPUT, "바뀐 글", True, True)
    driver.set_text(control["input"], "")
    driver.send_text(control["input"], "키보드로")
    assert driver.wait_text(control["input"], "키보드로") == "키보드로"


def test_message_box_is_found_read_and_answered_by_text_or_id(driver, dialog):
    program, window, control = dialog
    for button, pressed in (("취소", "2"), (1, "1")):
        driver.click(control["ask"])
        box = driver.find_message_box(pid=window["pid"])
        assert (box["caption"], box["text"]) == ("질문", "계속할까요?")
        assert [b["id"] for b in box["buttons"]] == [1, 2]
        driver.press(box["hwnd"], button)
        driver.wait_gone(box["hwnd"])
        assert driver.wait_text(control["answer"], pressed) == pressed
    assert driver.no_message_box(pid=window["pid"], within=0.2)
    assert program.running()


def test_system_menu_is_read_inside_the_program(driver, dialog):
    _, window, _ = dialog
    items = {item["id"]: item for item in driver.system_menu(window["hwnd"])}
    assert items[ABOUT_COMMAND]["text"] == "정보(&A)..."
    assert items[ABOUT_COMMAND]["enabled"]
    assert not items[SC_CLOSE]["enabled"]
    driver.syscommand(window["hwnd"], ABOUT_COMMAND)
    box = driver.find_message_box(caption="정보")
    assert box["text"] == "최소 대화상자 1.0"
    driver.close_message_box(box)


def test_screenshot_is_cropped_to_the_window(driver, dialog):
    _, window, _ = dialog
    left, top, right, bottom = driver.info(window["hwnd"])["rect"]
    image = Image.open(driver.screenshot(window["hwnd"], "minimal-dialog"))
    assert image.size == (right - left, bottom - top)
    assert len(set(image.getdata())) > 10, "the window was not drawn"


def test_program_ended_by_its_window(driver, dialog):
    program, window, _ = dialog
    driver.close_window(window["hwnd"])
    driver.wait_gone(window["hwnd"])
    assert program.wait_exit() == 0


def test_crash_fails_a_waiting_test_at_once(launch, driver, minimal_dialog):
    program = launch(minimal_dialog.name, "crash", directory=minimal_dialog.parent)
    # The crash itself ends the wait: a time-out would raise DriverTimeout instead.
    with pytest.raises(ProgramCrashed, match="Unhandled page fault"):
        driver.find_window("a window that never comes")
    assert not program.running()


@pytest.mark.parametrize("code_page", [KOREAN, WESTERN])
def test_code_page_follows_the_chosen_locale(wine_session, test_output, code_page):
    driver = Driver(wine_session, test_output, code_page=code_page)
    try:
        assert driver.code_page()["ansi"] == code_page
    finally:
        driver.close()

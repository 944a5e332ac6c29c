"""Our dialog framework, on its probe: a handler that throws."""

TITLE = "대화상자 점검"
FAIL_BUTTON = 1001
FAILURE_TEXT = "처리하지 못한 오류가 생겨 이 작업을 마치지 못했습니다.\n(probe handler failed)"


def test_a_failing_handler_is_reported_and_the_dialog_lives_on(launch, driver, dialog_probe):
    program = launch(dialog_probe.name, directory=dialog_probe.parent)
    window = driver.find_window(TITLE)
    fail = driver.control(window["hwnd"], FAIL_BUTTON)
    # A second failure gets its box too: the first report has ended.
    for _ in range(2):
        driver.click(fail)
        box = driver.find_message_box(pid=window["pid"], caption="알림")
        assert box["text"] == FAILURE_TEXT
        driver.close_message_box(box)
    assert program.running()
    assert driver.info(window["hwnd"])["visible"]

"""What every browser's page (chromium_page.py, webdriver_page.py) does the
same way, over its own `evaluate`."""

import time


class BrowserPage:
    def wait_until(self, expression, timeout):
        """Waits until a JavaScript expression is true; false if it never is."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.evaluate(expression):
                return True
            time.sleep(0.05)
        return False

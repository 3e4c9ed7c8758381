"""What the page ships: every file of it together, gzipped, stays within
250 KB, and none holds what only its tests use (the test variant's hooks
and entry points, tests/renderer/web/CMakeLists.txt).

page_size_test.py SITE
"""

import gzip
import os
import sys

MOST_BYTES = 250_000
TEST_ONLY = (b"raivelTestHook", b"raivel_load_pictures", b"raivel_restart_storm",
             b"raivel_read_frame")

site = sys.argv[1]
total = 0
test_only = []
for name in sorted(os.listdir(site)):
    with open(os.path.join(site, name), "rb") as f:
        data = f.read()
    size = len(gzip.compress(data, 9))
    print("%-20s %7d bytes gzipped" % (name, size))
    total += size
    test_only += ["%s in %s" % (word.decode(), name) for word in TEST_ONLY if word in data]
print("all files            %7d bytes gzipped (at most %d)" % (total, MOST_BYTES))
if test_only:
    print("test-only: " + ", ".join(test_only))
sys.exit(0 if total <= MOST_BYTES and not test_only else 1)

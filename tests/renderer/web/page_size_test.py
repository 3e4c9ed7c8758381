"""Every file of the page together, gzipped, stays within 250 KB.

page_size_test.py SITE
"""

import gzip
import os
import sys

MOST_BYTES = 250_000

site = sys.argv[1]
total = 0
for name in sorted(os.listdir(site)):
    with open(os.path.join(site, name), "rb") as f:
        size = len(gzip.compress(f.read(), 9))
    print("%-20s %7d bytes gzipped" % (name, size))
    total += size
print("all files            %7d bytes gzipped (at most %d)" % (total, MOST_BYTES))
sys.exit(0 if total <= MOST_BYTES else 1)

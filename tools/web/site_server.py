"""The page's site served from 127.0.0.1 on a port of its own, for the
browsers the tests run (WebAssembly does not load from file:// pages).

    with SiteServer(site_folder, overlay_folder) as server:
        server.origin    # http://127.0.0.1:PORT/
        server.served    # every path asked for, in order, and whether
                         # the site has it

A file in the overlay folder (the page's test variant) is served in place of
the site's file of the same name.
"""

import functools
import http.server
import os
import threading


class _Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def __init__(self, *args, overlay, served, **kwargs):
        self.overlay = overlay
        self.served = served
        super().__init__(*args, **kwargs)

    def translate_path(self, path):
        found = super().translate_path(path)
        if self.overlay:
            over = found.replace(self.directory, self.overlay, 1)
            if os.path.isfile(over):
                found = over
        self.served.append((path, os.path.isfile(found) or os.path.isdir(found)))
        return found

    def log_message(self, *args):
        pass


class SiteServer:
    def __init__(self, site, overlay=None):
        self.site = os.path.abspath(site)
        self.overlay = overlay and os.path.abspath(overlay)
        self.served = []

    def __enter__(self):
        handler = functools.partial(_Handler, directory=self.site, overlay=self.overlay,
                                    served=self.served)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.origin = "http://127.0.0.1:%d/" % self.server.server_address[1]
        return self

    def stop(self):
        """The network goes away: the port refuses every connection."""
        if self.server:
            self.server.shutdown()
            self.server.server_close()
            self.server = None

    def __exit__(self, *exception):
        self.stop()

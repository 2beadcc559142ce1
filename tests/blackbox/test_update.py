"""Self-update: a version record that names a newer client."""
import os

from harness import ClientTestCase, unix_path, wait_until


def remove_quietly(path):
    try:
        os.remove(path)
    except OSError:
        pass


class SelfUpdate(ClientTestCase):
    def test_newer_version_is_downloaded_started_and_the_client_exits(self):
        portal = self.start_portal(version="1.0.0.2")
        client = self.start_brand_client()
        self.assertEqual(client.exit_code(timeout=40), 0, "the client leaves the field to the new program")
        self.assertEqual(client.windows().all, [], "the client's windows are gone")

        records = portal.seen("/api/version.xml")
        self.assertEqual(len(records), 1)
        (stamp, _), = records[0].items()  # the time that defeats caches: ?<seconds>
        self.assertRegex(stamp, r"^-?\d+$")
        self.assertEqual(len(portal.seen("/download/ClientUpdate.exe")), 1)

        traces = self.context.traces
        marker = traces.marker_path()
        self.assertTrue(wait_until(lambda: os.path.exists(marker), 15), "the update program ran")
        with open(marker, "rb") as f:
            started_from = f.read().decode("utf-16-le").splitlines()[0]
        self.addCleanup(remove_quietly, unix_path(started_from))
        # It runs from the browser cache, under the cache's file name.
        self.assertTrue(started_from.lower().startswith(traces.cache.lower() + "\\"), started_from)
        self.assertFalse(os.path.exists(os.path.join(client.folder, "config.xml")), "the temporary record is gone")

"""taskwell --sync against a real Radicale, with python3-caldav as the phone.
Usage: caldav_sync_test.py TASKWELL"""
import datetime
import os
import signal
import sys
import threading
import unittest

from radicale_harness import PASSWORD, World

TASKWELL = sys.argv.pop(1)


class SyncWithRadicale(unittest.TestCase):
    def setUp(self):
        self.w = World(TASKWELL)
        self.addCleanup(self.w.close)
        self.w.write_list("Buy milk", "Water plants")
        code, out = self.w.run("--sync-setup", self.w.url, self.w.list)
        self.assertEqual(code, 0, out)
        self.assertIn("Tasks", out)

    def synced(self):
        code, out = self.w.sync()
        self.assertEqual(code, 0, out)
        return out

    def failed_without_change(self, *expect):
        before_list, before_server = self.w.lines(), self.w.snapshot()
        code, out = self.w.sync()
        self.assertEqual(code, 1, out)
        self.assertTrue(any(e in out for e in expect), out)
        self.assertEqual(self.w.lines(), before_list)
        self.assertEqual(self.w.snapshot(), before_server)

    def test_first_sync_each_way_then_the_phone_adds_edits_completes_deletes(self):
        self.w.add("Call Bob")
        self.assertIn("2 sent, 1 received, 0 merged", self.synced())
        self.assertEqual(self.w.summaries(), ["Buy milk", "Call Bob", "Water plants"])
        self.assertEqual(self.w.lines()[-1], ',1,,"Call Bob"')
        self.w.add("Post letter")
        self.w.edit("Buy milk", "Buy oat milk")
        self.w.find("Water plants").complete()
        self.w.find("Call Bob").delete()
        self.assertIn("0 sent, 4 received", self.synced())
        self.assertEqual(self.w.lines(), [',1,,"Buy oat milk"', ',1,,"Post letter"'])
        self.assertEqual(self.w.summaries(), ["Buy oat milk", "Post letter"])

    def test_edits_on_both_sides(self):
        self.synced()
        self.w.write_list("Buy bread", "Water plants", "Plan trip")
        self.w.edit("Water plants", "Water all plants")
        self.assertIn("2 sent, 1 received, 0 merged", self.synced())
        self.assertEqual(self.w.summaries(), ["Buy bread", "Plan trip", "Water all plants"])
        self.w.write_list("Buy rye bread", "Water all plants", "Plan trip")
        self.w.edit("Buy bread", "Buy white bread")
        out = self.synced()
        self.assertIn("1 merged", out)
        self.assertIn("both versions kept", out)
        self.assertEqual(sorted(self.w.lines()), sorted(
            [',1,,"Buy rye bread"', ',1,,"Buy white bread"', ',1,,"Water all plants"',
             ',1,,"Plan trip"']))
        self.assertEqual(self.w.summaries(),
                         ["Buy rye bread", "Buy white bread", "Plan trip", "Water all plants"])

    def test_properties_taskwell_does_not_show_are_kept(self):
        self.w.add("Club night", "DESCRIPTION:Bring the cards\r\nCATEGORIES:Home,Club\r\n"
                   "RELATED-TO:phone-parent\r\nX-PHONE-COLOUR:red\r\nBEGIN:VALARM\r\n"
                   "ACTION:DISPLAY\r\nDESCRIPTION:Soon\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n")
        self.synced()
        self.assertIn(',1,,"Club night"', self.w.lines())  # the notes stay on the server
        self.w.write_list("Buy milk", "Water plants", "Club night at eight")
        self.assertIn("1 sent", self.synced())
        data = self.w.find("Club night at eight").data
        for kept in ("DESCRIPTION:Bring the cards", "CATEGORIES:Home,Club",
                     "RELATED-TO:phone-parent", "X-PHONE-COLOUR:red", "TRIGGER:-PT15M",
                     "UID:phone-Club-night"):
            self.assertIn(kept, data)

    def requests_of_sync(self):
        before = len(self.w.proxy.requests)
        out = self.synced()
        return [m for m, _ in self.w.proxy.requests[before:]], out

    def test_a_quiet_sync_costs_one_request_and_a_local_edit_no_listing(self):
        self.synced()
        self.synced()
        methods, out = self.requests_of_sync()
        self.assertIn("0 sent, 0 received, 0 merged", out)
        self.assertEqual(methods, ["PROPFIND"])
        self.w.write_list("Buy milk", "Water the plants")
        methods, out = self.requests_of_sync()
        self.assertIn("1 sent, 0 received", out)
        self.assertEqual(methods, ["PROPFIND", "PUT"])
        self.assertEqual(self.w.summaries(), ["Buy milk", "Water the plants"])

    def test_a_recurring_item_whose_due_the_phone_moved_takes_the_new_date(self):
        self.w.add("Water ferns", "DUE;VALUE=DATE:20260610\r\nRRULE:FREQ=WEEKLY\r\n")
        self.synced()
        self.assertIn('6/10/26,,,":weekly Water ferns"', self.w.lines())
        todo = self.w.find("Water ferns")
        todo.icalendar_component["due"].dt = datetime.date(2026, 6, 17)
        todo.save()
        self.assertIn("0 sent, 1 received", self.synced())
        self.assertIn('6/17/26,,,":weekly Water ferns"', self.w.lines())
        self.assertEqual(len(self.w.lines()), 3)

    def test_a_412_on_put_fetches_merges_and_retries(self):
        self.synced()
        self.w.write_list("Buy milk", "Water the plants")
        self.w.proxy.before_put = lambda: self.w.edit("Water plants", "Water plants today")
        out = self.synced()
        self.assertIn("1 merged", out)
        self.assertEqual(self.w.summaries(), ["Buy milk", "Water plants today", "Water the plants"])
        self.assertEqual(sorted(self.w.lines()), sorted(
            [',1,,"Buy milk"', ',1,,"Water the plants"', ',1,,"Water plants today"']))

    def test_a_sync_killed_midway_loses_and_duplicates_nothing(self):
        self.w.write_list("One", "Two", "Three", "Four")
        self.w.proxy.hold_put, self.w.proxy.hold_after = threading.Event(), 2
        running = self.w.run("--sync", self.w.list, wait=False)
        self.assertTrue(self.w.proxy.put_seen.wait(30))
        running.send_signal(signal.SIGKILL)
        running.wait(10)
        running.stdout.close(), running.stderr.close()
        self.w.proxy.hold_put.set()
        self.w.proxy.hold_put = None
        self.assertEqual(len(self.w.summaries()), 2)
        self.synced()
        self.synced()
        self.assertEqual(self.w.summaries(), ["Four", "One", "Three", "Two"])
        self.assertEqual(len(self.w.lines()), 4)

    def test_failures_change_nothing_and_are_reported(self):
        self.synced()
        self.w.write_list("Buy milk", "Water plants", "New here")
        self.w.add("New there")
        for mode, method, expect in (("503", None, ["HTTP 503"]),
                                     ("cut", "REPORT", ["cut short", "could not be read"]),
                                     ("stall", None, ["did not answer in time"]),
                                     ("503", "PUT", ["HTTP 503"])):
            with self.subTest(mode=mode, method=method):
                self.w.proxy.mode, self.w.proxy.fail_method = mode, method
                if method == "PUT":
                    before = self.w.lines()
                    code, out = self.w.sync()
                    self.assertEqual(code, 1, out)
                    self.assertEqual(self.w.lines(), before)
                else:
                    self.failed_without_change(*expect)
        self.w.proxy.mode = "pass"
        self.synced()
        self.assertEqual(self.w.summaries(), ["Buy milk", "New here", "New there", "Water plants"])
        self.assertEqual(len(self.w.lines()), 4)

    def test_a_refused_certificate_names_the_host_and_changes_nothing(self):
        self.synced()
        self.w.point_setting_to(self.w.start_tls_server())
        self.w.write_list("Buy milk", "Water plants", "New here")
        self.w.add("New there")
        self.failed_without_change("certificate of 127.0.0.1 is refused: The certificate is "
                                   "self-signed")

    def test_moves_within_the_server_are_followed_and_a_principal_lists_its_collections(self):
        base = self.w.url.split("/ann/")[0]
        self.w.point_setting_to(base + "/old/tasks/")
        self.w.proxy.moves = {"/old/": (301, "/ann/"), "/away/": (307, "http://127.0.0.2/ann/")}
        self.w.add("Call Bob")
        self.assertIn("2 sent, 1 received", self.synced())
        self.assertIn("0 sent, 0 received, 0 merged", self.synced())
        methods, _ = self.requests_of_sync()
        self.assertEqual(methods, ["PROPFIND", "PROPFIND"])  # the move, then the ctag
        self.assertEqual(self.w.summaries(), ["Buy milk", "Call Bob", "Water plants"])
        self.w.point_setting_to(base + "/away/tasks/")
        self.failed_without_change("not followed")
        code, out = self.w.run("--sync-setup", base + "/.well-known/caldav", self.w.list)
        self.assertEqual(code, 1, out)
        self.assertIn(self.w.url.replace("ann@", ""), out.replace("ann@", ""))

    def test_a_listing_that_would_delete_most_of_the_list_changes_nothing(self):
        self.w.write_list("A", "B", "C", "D", "E")
        self.synced()
        for name in ("A", "B", "C"):
            self.w.find(name).delete()
        self.failed_without_change("nothing was changed")

    def test_a_password_typed_at_setup_is_kept_in_the_keyring_alone(self):
        self.w.start_keyring()
        os.remove(os.path.join(self.w.home, ".netrc"))
        code, out = self.w.run("--sync-setup", self.w.url, self.w.list, input=PASSWORD + "\n")
        self.assertEqual(code, 0, out)
        self.assertIn("Password for ann on 127.0.0.1", out)
        self.w.add("Call Bob")
        self.assertIn("2 sent, 1 received", self.synced())
        self.assertTrue(os.listdir(os.path.join(self.w.home, ".local", "share", "keyrings")))
        for folder, _, files in os.walk(self.w.home):
            for name in files:
                with open(os.path.join(folder, name), "rb") as f:
                    self.assertNotIn(PASSWORD.encode(), f.read(), name)

    def test_setup_refuses_plain_http_elsewhere_and_a_readable_netrc(self):
        code, out = self.w.run("--sync-setup", "http://ann@example.org/dav/", self.w.list)
        self.assertEqual(code, 1)
        self.assertIn("plain HTTP", out)
        os.chmod(os.path.join(self.w.home, ".netrc"), 0o644)
        code, out = self.w.sync()
        self.assertEqual(code, 1)
        self.assertIn("chmod 600", out)
        os.chmod(os.path.join(self.w.home, ".netrc"), 0o600)
        code, out = self.w.run("--sync-setup", self.w.url.replace("tasks/", ""), self.w.list)
        self.assertEqual(code, 1)
        self.assertIn("/ann/tasks/", out)


if __name__ == "__main__":
    unittest.main(verbosity=2)

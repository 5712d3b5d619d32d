"""A minute of the randomised user (monkey.py) on the real program: no hang, no crash, no key
left down, no unreadable file, nothing changed outside the program folder, and a clean end.
MONKEY_SEED replays a run; `make monkey` runs it for MONKEY_MINUTES."""

import unittest

import monkey
import tapmill_e2e as e2e
from tapmill_e2e import E2ETestCase

MINUTES = 1


def setUpModule():
    e2e.start_session()


def tearDownModule():
    e2e.end_session()


class MonkeyTest(E2ETestCase):
    def test_a_minute_of_random_use_leave_the_program_answering_and_its_files_readable(self):
        print(monkey.run(self._scratch, MINUTES, monkey.new_seed()))


if __name__ == "__main__":
    unittest.main()

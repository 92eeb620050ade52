"""setup.exe's texts under Wine's locale for each of its 19 languages: the
welcome dialog shows that language's question (or title), for German and
Japanese the progress title ends in "  . . ." while the NT 4.0 warning
stays English, and the restart request is German in German."""

import unittest

from bench import Scenario
from bench.agent import IDCANCEL, RESTART, WELCOME
from bench.interactive import (ELLIPSIS, NOT_INSTALLED, run_interactive,
                               run_with_earlier_service_staying)
from bench.languages import TEXTS
from bench.sequence import prepare

# German and Japanese: the languages whose progress title is checked.
PROGRESS_LANGUAGES = (0x0007, 0x0411)


class Languages(unittest.TestCase):
    def test_the_welcome_text_of_each_language(self):
        # Wine takes the locale at each program start: one scenario serves all.
        with Scenario("win2k") as sc:
            prepare(sc)
            for language_id, (locale, welcome, _, _) in TEXTS.items():
                with self.subTest(f"0x{language_id:04X} {locale}"):
                    sc.set_language(locale)
                    result, _ = run_interactive(sc, answers={WELCOME: IDCANCEL})
                    self.assertEqual(0, result.exit_code, result)
                    self.assertEqual([("welcome", welcome)], result.shown())

    def test_progress_title_and_the_english_warning(self):
        with Scenario("nt40") as sc:
            for locale, welcome, _, progress in (TEXTS[language] for language in PROGRESS_LANGUAGES):
                with self.subTest(locale):
                    result = run_with_earlier_service_staying(sc, locale)
                    self.assertEqual([("welcome", welcome), ("progress", progress + ELLIPSIS),
                                      ("restart", NOT_INSTALLED)], result.shown())

    def test_the_restart_request_in_german(self):
        with Scenario("win98") as sc:
            locale, welcome, restart, progress = TEXTS[0x0007]
            sc.set_language(locale)
            prepare(sc, {"ReBoot": "Y"})
            result, _ = run_interactive(sc, answers={RESTART: IDCANCEL})
            self.assertEqual(0, result.exit_code, result)
            self.assertEqual([("welcome", welcome), ("progress", progress + ELLIPSIS),
                              ("restart", restart)], result.shown())


if __name__ == "__main__":
    unittest.main()

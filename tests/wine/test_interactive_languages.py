"""setup.exe's texts under Wine's locale for each of its 19 languages: the
welcome dialog shows that language's question (or title), and for German
and Japanese the progress title ends in "  . . ." while the NT 4.0
warning stays English."""

import unittest

from bench import Scenario
from interactive_scenario import (ELLIPSIS, IDCANCEL, NOT_INSTALLED, RESTART, WELCOME, forget_run,
                                  run_interactive, seed_earlier_nt4_install)
from sequence_scenario import prepare

# (language id, a locale whose strings Windows would pick, string 1).
# Spanish 0x000A is reached through Mexico: Spain is 0x0C0A itself.
WELCOME_TEXTS = (
    (0x0006, "da_DK.UTF-8", "Installerer modemdrivere"),
    (0x0007, "de_DE.UTF-8", "Installation der Modemtreiber"),
    (0x000A, "es_MX.UTF-8", "Instalando controladores de módem"),
    (0x000B, "fi_FI.UTF-8", "Modeemiohjainten asennus"),
    (0x000C, "fr_FR.UTF-8", "Installation des pilotes de modem"),
    (0x0010, "it_IT.UTF-8", "Installazione dei programmi di controllo del modem"),
    (0x0013, "nl_NL.UTF-8", "Stuurprogramma's modem installeren"),
    (0x0014, "nb_NO.UTF-8", "Installerer modemdrivere"),
    (0x001D, "sv_SE.UTF-8", "Installerar drivrutiner till modem"),
    (0x0404, "zh_TW.UTF-8", "您要安裝數據機驅動程式嗎﹖"),
    (0x0409, "en_US.UTF-8", "Do you want to install the modem driver?"),
    (0x0411, "ja_JP.UTF-8", "モデムドライバをインストールしますか？"),
    (0x0412, "ko_KR.UTF-8", "모뎀 드라이버를 설치하시겠습니까? "),
    (0x0415, "pl_PL.UTF-8", "Instalacja sterowników modemu"),
    (0x0416, "pt_BR.UTF-8", "Instalação dos drivers do modem"),
    (0x0804, "zh_CN.UTF-8", "你要安装数据机吗？"),
    (0x0816, "pt_PT.UTF-8", "Instalação dos drivers do modem"),
    (0x0C0A, "es_ES.UTF-8", "Instalando controladores de módem"),
    (0x0C0C, "fr_CA.UTF-8", "Installation des pilotes de modem en cours"),
)

# (locale, string 1, string 3)
PROGRESS_TITLES = (
    ("de_DE.UTF-8", "Installation der Modemtreiber", "Installation der Modemtreiber"),
    ("ja_JP.UTF-8", "モデムドライバをインストールしますか？", "ﾓﾃﾞﾑ ﾄﾞﾗｲﾊﾞ ｲﾝｽﾄｰﾙ"),
)


class Languages(unittest.TestCase):
    def test_the_welcome_text_of_each_language(self):
        # Wine takes the locale at each program start: one scenario serves all.
        with Scenario("win2k") as sc:
            prepare(sc)
            for language_id, locale, welcome in WELCOME_TEXTS:
                with self.subTest(f"0x{language_id:04X} {locale}"):
                    sc.set_language(locale)
                    result, _ = run_interactive(sc, answers={WELCOME: IDCANCEL})
                    self.assertEqual(0, result.exit_code, result)
                    self.assertEqual([("welcome", welcome)], result.shown())

    def test_progress_title_and_the_english_warning(self):
        with Scenario("nt40") as sc:
            for locale, welcome, progress in PROGRESS_TITLES:
                with self.subTest(locale):
                    sc.set_language(locale)
                    prepare(sc, {}, {"RemoveNTService": {"Result": 0}})
                    forget_run(sc)
                    seed_earlier_nt4_install(sc)
                    result, _ = run_interactive(sc, answers={RESTART: IDCANCEL})
                    self.assertEqual([("welcome", welcome), ("progress", progress + ELLIPSIS),
                                      ("restart", NOT_INSTALLED)], result.shown())


if __name__ == "__main__":
    unittest.main()

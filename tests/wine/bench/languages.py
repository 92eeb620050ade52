"""setup's texts in each of its 19 languages (languages.txt): strings 1 to 3
of its string table, the welcome question or title, the restart request and
the progress title, each with a locale under which Windows picks them."""

import os


def _read():
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "languages.txt"),
              encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if not line.startswith("#")]
    return {int(language, 16): tuple(texts) for language, _, *texts in rows}


# Language id: (locale, strings 1, 2 and 3).
TEXTS = _read()

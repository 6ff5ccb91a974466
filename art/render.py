"""Renders the shipped data: both skins, the three languages, the icon and the previews."""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import canvas  # noqa: E402
import icon  # noqa: E402
import language  # noqa: E402
import preview  # noqa: E402
import skin  # noqa: E402
from texts import LANGUAGES  # noqa: E402
from themes import SKINS  # noqa: E402


def main():
    root = os.path.dirname(HERE)
    data = os.path.join(root, "data")
    canvas.RequireFonts()
    language._cachePath = os.path.join(HERE, "text-widths.json")
    labelsByLanguage = {}
    for folder, texts in LANGUAGES.items():
        path = os.path.join(data, "Language", folder, "Language.ini")
        labelsByLanguage[folder] = language.Write(path, texts)
        print("rendered", os.path.relpath(path, root))
    for theme in SKINS:
        written = skin.Render(os.path.join(data, "Skin"), theme)
        print("rendered", os.path.relpath(written.folder, root))
        preview.Render(written, labelsByLanguage["English"], theme, os.path.join(root, "docs"))
    icon.Write(os.path.join(data, "Tonedeck.ico"), SKINS[0])
    print("rendered data/Tonedeck.ico")
    language.SaveCache()


if __name__ == "__main__":
    main()

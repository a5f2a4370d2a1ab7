#pragma once

// Colours and fonts a menu entry can be styled with. They name roles, not values: the renderer
// takes the actual colour from the desktop's palette and the font from its theme.
enum class Color {
    SecondaryLabel,
};

enum class Font {
    MenuBar,
};

struct TextAttributes
{
    Font font = Font::MenuBar;
    Color color = Color::SecondaryLabel;
    bool operator==(const TextAttributes &) const = default;
};

// The help and salvation pages: full-screen pictures set like a printed page on
// the walnut desk inside a gold frame.
#include <algorithm>

#include "palette.h"
#include "pieces.h"

namespace art {

namespace {

// Breaks Windows-1251 text into lines of at most width characters at blanks.
std::vector<std::string> Wrap(const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line, word;
    auto flush_word = [&] {
        if (word.empty()) return;
        if (!line.empty() && static_cast<int>(line.size() + 1 + word.size()) > width) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
        word.clear();
    };
    for (char ch : text) {
        if (ch == ' ')
            flush_word();
        else
            word += ch;
    }
    flush_word();
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// The page: desk, a gold frame, and a title with a rule under it. Returns the y
// where the body starts.
int Page(Canvas& c, const Glyph_Set& big, const std::string& title) {
    const Canvas desk = Make_Desk();
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x) c.Set(x, y, desk.Get(x % 256, y % 256));
    for (int e = 0; e < 8; ++e) {
        const uint8_t lit = Tone(R_GOLD, 7 - e / 2), shade = Tone(R_GOLD, 1 + e / 3);
        for (int x = e; x < c.w - e; ++x)
            c.Set(x, e, e == 7 ? shade : lit), c.Set(x, c.h - 1 - e, shade);
        for (int y = e; y < c.h - e; ++y)
            c.Set(e, y, e == 7 ? shade : lit), c.Set(c.w - 1 - e, y, shade);
    }
    const int tx = (c.w - Text_Width(big, title)) / 2;
    Draw_Text_Outlined(c, big, tx, 20, title, Tone(R_GOLD, 7), C_OUTLINE, true);
    for (int x = 60; x < c.w - 60; ++x) {
        c.Set(x, 58, Tone(R_GOLD, 6));
        c.Set(x, 59, Tone(R_GOLD, 2));
    }
    for (int d = -3; d <= 3; ++d)  // a small diamond in the middle of the rule
        for (int e = -(3 - std::abs(d)); e <= 3 - std::abs(d); ++e)
            c.Set(c.w / 2 + e, 58 + d, Tone(R_RUBY_DARK, 6));
    return 70;
}

// Paragraphs of body text; returns the next free y.
int Body(Canvas& c, const Glyph_Set& small, int y, const std::string& text, uint8_t ink,
         int indent = 0) {
    for (const std::string& line : Wrap(text, (c.w - 64 - indent) / small.w)) {
        Draw_Text(c, small, 32 + indent, y, line, ink);
        y += small.h + 2;
    }
    return y + 6;
}

}  // namespace

Canvas Make_Help_Page(const Glyph_Set& small, const Glyph_Set& big) {
    Canvas c(640, 480);
    int y = Page(c, big, "КАК ИГРАТЬ");
    const uint8_t ink = C_PARCHMENT, key = Tone(R_PALE_GOLD, 7);
    const struct {
        const char* head;
        const char* text;
    } paragraphs[] = {
        {"Управление.",
         "Стрелки влево и вправо сдвигают падающий блок, вверх и вниз поворачивают "
         "его, Enter отражает зеркально, Пробел включает и выключает быстрое падение."},
        {"Баллы.",
         "Уложенный блок приносит балл за каждое касание стены, дна или камня. "
         "Заполненный ряд собирается и приносит баллы за камни; три и более камней "
         "одного цвета подряд стоят дороже, несколько рядов сразу дают премию."},
        {"Буквы и стихи.",
         "Каждые 4 балла - одна буква. Буквы открывают стихи главы, которую "
         "вы читаете; каждый открытый стих показывается вам для чтения."},
        {"Сеанс.",
         "Сеанс - это одна глава. Когда открыты все её стихи, сеанс завершён и игра "
         "переходит к следующей главе. Если камень остановился в верхнем ряду, "
         "сеанс не удался."},
        {"Хранилище.",
         "Итоги завершённых сеансов копятся в хранилище; за неудачный сеанс из "
         "хранилища вычитается штраф. Все сеансы записаны в дневнике."},
        {"Кнопки справа.",
         "Книга, запись игры, пауза, статистика, меню, смена фона и музыка. "
         "Игру можно записать в одну из 12 ячеек и продолжить позже."},
    };
    // Each paragraph opens with its heading in gold on the same line.
    for (const auto& p : paragraphs) {
        const int top = y;
        y = Body(c, small, y, std::string(p.head) + " " + p.text, ink);
        Draw_Text(c, small, 32, top, p.head, key);
    }
    const std::string close = "Enter или щелчок мыши - назад в меню";
    Draw_Text(c, small, (640 - Text_Width(small, close)) / 2, 480 - 34, close, Tone(R_GOLD, 5));
    return c;
}

Canvas Make_Salvation_Page(const Glyph_Set& small, const Glyph_Set& big,
                           const std::vector<Quote>& quotes) {
    Canvas c(640, 480);
    int y = Page(c, big, "СПАСЕНИЕ");
    y = Body(c, small, y,
             "Бог любит каждого человека и даёт ему спасение - вечную жизнь - через "
             "Своего Сына, Господа Иисуса Христа. Вот что говорит об этом Писание:",
             C_PARCHMENT);
    for (const Quote& q : quotes) {
        // A verse that runs on into the next ends with an ellipsis here.
        std::string text = q.text;
        while (!text.empty() && (text.back() == ',' || text.back() == ':' || text.back() == ';'))
            text.pop_back();
        if (text.back() != '.' && text.back() != '!' && text.back() != '?') text += "...";
        y = Body(c, small, y, "\"" + text + "\"", Tone(R_PALE_GOLD, 7), 16);
        Draw_Text(c, small, 640 - 32 - Text_Width(small, q.reference), y - 8, q.reference, C_GOLD);
        y += small.h;
    }
    Body(c, small, y,
         "Кто верит в Него, тот не погибнет: признайте свой грех, поверьте сердцем, что Бог "
         "воскресил Иисуса из мертвых, и исповедуйте Его Господом.",
         C_PARCHMENT);
    const std::string close = "Enter или щелчок мыши - назад в меню";
    Draw_Text(c, small, (640 - Text_Width(small, close)) / 2, 480 - 34, close, Tone(R_GOLD, 5));
    return c;
}

}  // namespace art

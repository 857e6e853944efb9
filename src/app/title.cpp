// The main menu with its decorations, and the help and salvation pictures.
#include "app/title.h"

#include "platform/shell_input.h"
#include "core/report_log.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "game/screens/game_loop.h"
#include "graphics/display.h"
#include "graphics/font.h"
#include "graphics/sprites.h"
#include "platform/platform.h"
#include "ui/screen_loop.h"

const char* const Credit_Lines[25] = {
    "Бог все сотворил Своим Словом.",
    "Как Он сказал так и стало.",
    "Его Слово реализовалось.",
    "Его Слово стало функционировать.",
    "Источник идеи игры: Господь Бог.",
    "Linux-издание Veltran сделали его разработчики, во славу Божию.",
    "Veltran создан в 2007 году.",
    "Расчетное время функционирования: вечность.",
    "   Исх 16:4-5 И сказал Господь Моисею: вот, Я одождю вам хлеб с неба, и пусть народ выходит и "
    "собирает ежедневно, сколько нужно на день, чтобы Мне испытать его, будет ли он поступать по "
    "закону Моему, или нет; а в шестой день пусть заготовляют, что принесут, и будет вдвое против "
    "того, по скольку собирают в прочие дни.",
    "   Исх 23:10 Шесть лет засевай землю твою и собирай произведения ее,",
    "   Лев 25:3 шесть лет засевай поле твое и шесть лет обрезывай виноградник твой, и собирай "
    "произведения их,",
    "   Лев 26:5 и молотьба [хлеба] будет достигать у вас собирания винограда, собирание винограда "
    "будет достигать посева, и будете есть хлеб свой досыта, и будете жить на земле [вашей] "
    "безопасно;",
    "   Втор 24:21 Когда будешь снимать плоды в винограднике твоем, не собирай остатков за собою: "
    "пусть остается пришельцу, сироте и вдове;",
    "   Руфь 2:19 И сказала ей свекровь ее: где ты собирала сегодня и где работала? да будет "
    "благословен принявший тебя! [Руфь]! объявила свекрови своей, у кого она работала, и сказала: "
    "человеку тому, у которого я сегодня работала, имя Вооз.",
    "   Притч 6:8 но он заготовляет летом хлеб свой, собирает во время жатвы пищу свою.",
    "   Притч 13:11 Богатство от суетности истощается, а собирающий трудами умножает его.",
    "   Иер 40:10 а я останусь в Массифе, чтобы предстательствовать пред лицем Халдеев, которые "
    "будут приходить к нам; вы же собирайте вино и летние плоды, и масло и убирайте в сосуды ваши, "
    "и живите в городах ваших, которые заняли.",
    "   Наум 2:1 Поднимается на тебя разрушитель: охраняй твердыни, стереги дорогу, укрепи чресла, "
    "собирайся с силами.",
    "   Ев Мф 6:19-20 Не собирайте себе сокровищ на земле, где моль и ржа истребляют и где воры "
    "подкапывают и крадут, но собирайте себе сокровища на небе, где ни моль, ни ржа не истребляют "
    "и где воры не подкапывают и не крадут,",
    "   Ев Мф 12:30 Кто не со Мною, тот против Меня; и кто не собирает со Мною, тот расточает.",
    "   Ев Ин 4:36 Жнущий получает награду и собирает плод в жизнь вечную, так что и сеющий и "
    "жнущий вместе радоваться будут,",
    "   Деян 11:26 Целый год собирались они в церкви и учили немалое число людей, и ученики в "
    "Антиохии в первый раз стали называться Христианами.",
    "   1 Тим 6:19 собирая себе сокровище, доброе основание для будущего, чтобы достигнуть вечной "
    "жизни.",
    "   Откр 19:17 И увидел я одного Ангела, стоящего на солнце; и он воскликнул громким голосом, "
    "говоря всем птицам, летающим по средине неба: летите, собирайтесь на великую вечерю Божию,",
    "     ",
};

int32_t Logo_Source_X[7] = {7, 78, 142, 221, 284, 379, 451};
int32_t Logo_Width[7] = {64, 58, 67, 53, 86, 59, 63};
int32_t Logo_Offset[7] = {0, 40, 0, 40, 0, 40, 0};
int32_t Logo_Speed[7] = {1, -1, 1, -1, 1, -1, 1};

namespace {
const char* const Title_Music = "MUSIC/CstleTown.mp3";
const char* const Button_Labels[5] = {"BtnMM_NewGame", "BtnMM_Continue", "BtnMM_Help",
                                      "BtnMM_Windows", "BtnMM_Spasenie"};
}  // namespace

std::unique_ptr<Title_Screen> Title_Create() {
    auto t = std::make_unique<Title_Screen>();
    Music_Play(Title_Music, 1);
    t->panel = std::make_unique<cls_Desk_Rect>(56, 0, Screen_Width - 56, Screen_Height);
    const int h = Sprite_Height("Btn_MMenu_press");
    for (int k = 0; k < Title_Buttons; ++k) {
        const int centre = 210 + 55 * k;
        t->buttons[k] = std::make_unique<cls_BtnMainTitle>(Sprite_Get(Button_Labels[k]), 160,
                                                           centre - h / 2, 481, centre - h / 2 + h);
    }
    t->credits = std::make_unique<Text_Lines>(1024, 300);
    for (const char* line : Credit_Lines) t->credits->Add_Text(line);
    t->left_ticker = std::make_unique<Vertical_Ticker>(t->credits.get(), 0, Screen_Height);
    t->right_ticker =
        std::make_unique<Vertical_Ticker>(t->credits.get(), Screen_Width - 56, Screen_Height);
    t->name_line = std::make_unique<Name_Line>(70, 150, Screen_Width - 70, 160);
    for (int i = 1; i <= 8; ++i) {
        Title_Stone& stone = t->stones[i - 1];
        stone.x = i % 2 ? 112 : 80;
        stone.y = 180 + 35 * (i - 1);
        stone.type = i;
        stone.frame = Plat_Rand() % 5;
    }
    return t;
}

void Logo_Draw(Surface* s) {
    const Sprite* logo = Sprite_Get("Game_name");
    for (int k = 0; k < 7; ++k) {
        if (logo != nullptr && logo->surface != nullptr) {
            const Rect src{Logo_Source_X[k], 0, Logo_Source_X[k] + Logo_Width[k], 80};
            const Rect to{60 + Logo_Source_X[k], 10 + Logo_Offset[k],
                          60 + Logo_Source_X[k] + Logo_Width[k], 90 + Logo_Offset[k]};
            Surface_Blt(s, &to, logo->surface, &src, Blt_Keysrc);
        }
        const int next = Logo_Offset[k] + Logo_Speed[k];
        if (next >= 40) {
            Logo_Speed[k] = -Logo_Speed[k];
            Logo_Offset[k] = 40;
        } else if (next < 0) {
            Logo_Speed[k] = -Logo_Speed[k];
            Logo_Offset[k] = 0;
        } else {
            Logo_Offset[k] = next;
        }
    }
}

void Stones_Draw(Title_Screen* t, Surface* s) {
    for (Title_Stone& st : t->stones) {
        const Sprite* sprite = &Stone_Sprites[st.type][st.frame];
        Sprite_Draw(s, st.x, st.y, sprite);
        Sprite_Draw(s, Screen_Width - st.x - 32, st.y, sprite);
        if (--st.countdown == 0) {
            st.countdown = st.period;
            st.frame += st.step;
            if (st.frame >= 8) {
                st.frame = 0;
                st.step = 1;
            }
        }
    }
}

void Main_Menu_Draw(Title_Screen* t) {
    if (++t->frame_counter % 100 == 1) Palette_Reattach();
    Surface_Fill(Back_Buffer, nullptr, 0);
    t->panel->Draw(Back_Buffer);
    Logo_Draw(Back_Buffer);
    Stones_Draw(t, Back_Buffer);
    for (auto& b : t->buttons) b->Draw(Back_Buffer);
    t->left_ticker->Draw(Back_Buffer);
    t->right_ticker->Draw(Back_Buffer);
    Sprite_Tile(Sprite_Get("Hrz_Label_Frame"), 68, 127, Screen_Width - 68, 130, Back_Buffer);
    Text_Draw(70, 132, "Введи твое имя: (<клавиша_Tab> = РУС/ENG)", &Font_8x16, Back_Buffer);
    t->name_line->Update_And_Draw(Back_Buffer);
}

void Main_Menu_Frame(Title_Screen* t) {
    Main_Menu_Draw(t);
    Frame_End();
    Pace_Frame();
}

namespace {
// A new or a continued game in a state of its own, closed and freed when it ends.
void Play_Game(Title_Screen* t, bool continued) {
    t->game = std::make_unique<Game_State>();
    const Game_Result result =
        continued ? Game_Continue(t->game.get()) : Game_New(t->game.get(), t->name_line->text);
    Continue_Failure_Notice(result);
    Game_Close(t->game.get());
    t->game.reset();
}

// The help and salvation pictures: shown until Enter or a mouse button is clicked.
void Picture_Screen(Title_Screen* t, const char* picture) {
    Sound_Stop_All();
    if (Exit_Requested) return;
    for (;;) {
        if (Screen_Pump() == Pump::Leave) return;
        if (++t->frame_counter % 100 == 1) Palette_Reattach();
        Surface_Fill(Back_Buffer, nullptr, 0);
        Sprite_Draw(Back_Buffer, 0, 0, Sprite_Get(picture));
        Frame_End();
        const bool enter = Key_Clicked(VK_RETURN);
        const bool left = Key_Clicked(VK_LBUTTON);
        const bool right = Key_Clicked(VK_RBUTTON);
        if (enter || left || right || Exit_Requested) return;
    }
}
}  // namespace

void Help_Screen(Title_Screen* t) {
    Picture_Screen(t, "Help_Screen");
}
void Salvation_Screen(Title_Screen* t) {
    Picture_Screen(t, "Spasenie_Screen");
}

int Main_Menu_Run(Title_Screen* t) {
    Sound_Stop_All();
    if (Exit_Requested) return 1;
    while (!Exit_Requested) {
        if (Screen_Pump() == Pump::Leave) break;
        Screen_Target targets[Title_Buttons];
        for (int k = 0; k < Title_Buttons; ++k) targets[k] = Centre_Of(*t->buttons[k]);
        Screen_Announce({"main menu", targets, Title_Buttons, nullptr});
        Music_Update();
        for (auto& b : t->buttons) b->Update();
        Main_Menu_Frame(t);
        // Only the first clicked button acts.
        int chosen = -1;
        for (int k = 0; k < Title_Buttons && chosen < 0; ++k)
            if (t->buttons[k]->state == Click_Clicked) chosen = k;
        switch (chosen) {
            case Title_New_Game:
            case Title_Continue:
                Play_Game(t, chosen == Title_Continue);
                break;
            case Title_Help:
                Palette_Reattach();
                Help_Screen(t);
                break;
            case Title_Exit:
                Report_Log("\n Завершена работа в главном меню \n");
                Exit_Requested = 1;
                break;
            case Title_Salvation:
                Salvation_Screen(t);
                break;
            default:
                continue;
        }
        Music_Play(Title_Music, 1);
    }
    return 1;
}

// The book table and the search for the book files at start-up.
#include "scripture/book_table.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/files.h"
#include "core/report_log.h"

const char* const HS_Folder = "HScripts";

const char* const HS_Titles[HS_Book_Count] = {
    "Бытие",
    "Исход",
    "Левит",
    "Числа",
    "Второзаконие",
    "Иисус Навин",
    "Судьи",
    "Руфь",
    "1 Царств",
    "2 Царств",
    "3 Царств",
    "4 Царств",
    "1 Паралипоменон",
    "2 Паралипоменон",
    "Ездра",
    "Неемия",
    "Есфирь",
    "Иов",
    "Псалтирь",
    "Притчи",
    "Екклесиаст",
    "Песнь Песней",
    "Исаия",
    "Иеремия",
    "Плач Иеремии",
    "Иезекииль",
    "Даниил",
    "Осия",
    "Иоиль",
    "Амос",
    "Авдий",
    "Иона",
    "Михей",
    "Наум",
    "Аввакум",
    "Софония",
    "Аггей",
    "Захария",
    "Малахия",
    "Евангл от Матфея",
    "Евангл от Марка",
    "Евангл от Луки",
    "Евангл от Иоанна",
    "Деяния",
    "Иаков",
    "1 Петра",
    "2 Петра",
    "1 Иоанна",
    "2 Иоанна",
    "3 Иоанна",
    "Иуды",
    "Римлянам",
    "1 Коринфянам",
    "2 Коринфянам",
    "Галатам",
    "Ефесянам",
    "Филиппийцам",
    "Колоссянам",
    "1 Фессалоникийцам",
    "2 Фессалоникийцам",
    "1 Тимофею",
    "2 Тимофею",
    "Титу",
    "Филимону",
    "Евреям",
    "Откровение",
};

const char* const HS_File_Names[HS_Book_Count] = {
    "Bytie",   "Ishod",    "Levit",    "Chisla",   "Vtorozkn", "Navin",    "Sudey",   "Ruf",
    "1Carstv", "2Carstv",  "3Carstv",  "4Carstv",  "1Paralmn", "2Paralmn", "Ezdra",   "Neemia",
    "Esfir",   "Iov",      "Psalmy",   "Pritch",   "Ekklest",  "Pesn",     "Isaia",   "Ieremia",
    "Plach",   "Iezekil",  "Daniil",   "Osia",     "Ioil",     "Amos",     "Avdey",   "Iona",
    "Mihey",   "Naum",     "Avvakum",  "Sofonia",  "Aggey",    "Zaharia",  "Malahia", "Matfey",
    "Mark",    "Luka",     "Ioan",     "Deynia",   "Iakov",    "1Petra",   "2Petra",  "1Ioana",
    "2Ioana",  "3Ioana",   "Iuda",     "Rimlan",   "1Korinf",  "2Korinf",  "Galatam", "Efesan",
    "Filip",   "Kolos",    "1Fesalon", "2Fesalon", "1Timofeu", "2Timofeu", "Tit",     "Filimon",
    "Evream",  "Otkroven",
};

const char* const HS_Abbrevs[HS_Book_Count] = {
    "Быт",  "Исх",  "Лев",  "Числ", "Втор", "Нав",  "Суд",   "Руфь", "1Цар",  "2Цар", "3Цар",
    "4Цар", "1Пар", "2Пар", "Езд",  "Неем", "Есф",  "Иов",   "Пс",   "Притч", "Еккл", "Песн",
    "Ис",   "Иер",  "Плач", "Иез",  "Дан",  "Ос",   "Иоиль", "Ам",   "Авд",   "Иона", "Мих",
    "Наум", "Авв",  "Соф",  "Агг",  "Зах",  "Мал",  "Мф",    "Мк",   "Лк",    "Ин",   "Деян",
    "Иак",  "1Пет", "2Пет", "1Ин",  "2Ин",  "3Ин",  "Иуд",   "Рим",  "1Кор",  "2Кор", "Гал",
    "Еф",   "Флп",  "Кол",  "1Фес", "2Фес", "1Тим", "2Тим",  "Тит",  "Флм",   "Евр",  "Откр",
};

uint8_t HS_Available[HS_Book_Count];

namespace {

// The names in HScripts that end in ".txt", in the order a Windows directory
// search gives them (by name, letter case aside), so the log is the same on
// every file system.
std::vector<std::string> Text_Files() {
    std::vector<std::string> names = Files_Ending_In(HS_Folder, ".txt");
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const int c = Compare_No_Case(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

}  // namespace

std::string Book_Path(int book) {
    return std::string(HS_Folder) + "/" + HS_File_Names[book - 1] + ".txt";
}

int Books_Find() {
    Report_Log("\n Поиск книг Священного Писания:");
    std::memset(HS_Available, 0, sizeof HS_Available);
    int count = 0;
    for (const std::string& name : Text_Files()) {
        for (int k = 0; k < HS_Book_Count; ++k) {
            // The name must match the stem exactly, letter case included.
            if (name != std::string(HS_File_Names[k]) + ".txt") continue;
            HS_Available[k] = 1;
            Report_Log("\n   HS: %s", HS_Titles[k]);
            ++count;
        }
    }
    Report_Log("\n Ок");
    return count;
}

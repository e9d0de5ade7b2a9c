// A generated rating list in the sample list's layout (cp1250 names, titles,
// federations, ratings, games and birth dates of both forms), and a
// generated game list for the statistics.
#pragma once

#include "database/GameRow.h"

#include <random>
#include <string>
#include <vector>

inline std::string EloBenchLine(std::mt19937& rng, int n)
{
    static const char* const Family[] = {"Dvo\xF8\xE1k",
                                         "Nov\xE1kov\xE1",
                                         "Kowalczyk",
                                         "Szab\xF3",
                                         "Horvat",
                                         "\x8Alez\xE1k",
                                         "Wi\x9Cniewski",
                                         "\xC8"
                                         "ern\xFD",
                                         "R\xF9\x9Ei\xE8ka",
                                         "Z\xECli\xF1ski",
                                         "Popescu",
                                         "Holm"};
    static const char* const Given[] = {"Tom\xE1\x9A",
                                        "Eli\x9Aka",
                                        "\xA3ukasz",
                                        "\xC1"
                                        "d\xE1m",
                                        "Mirela",
                                        "Jan",
                                        "Ond\xF8"
                                        "ej",
                                        "Ma\xB3gorzata"};
    static const char* const Titles[] = {"GM", "IM", "FM", "WGM", "WIM", "CM", "", "", "", ""};
    static const char* const Feds[] = {"CZE", "POL", "HUN", "SVK", "ROU", "GER", "CRO"};
    std::string line = std::to_string(1000000 + n);
    line.resize(10, ' ');
    line += std::string(Family[rng() % 12]) + ", " + Given[rng() % 8];
    line.resize(41, ' ');
    line += Titles[rng() % 10];
    line.resize(47, ' ');
    line += Feds[rng() % 7];
    line.resize(55, ' ');
    line += std::to_string(1000 + rng() % 1800);
    line.resize(61, ' ');
    line += std::to_string(rng() % 40);
    line.resize(65, ' ');
    const int day = 1 + static_cast<int>(rng() % 28);
    const int month = 1 + static_cast<int>(rng() % 12);
    const int year = 1930 + static_cast<int>(rng() % 90);
    char date[16];
    switch (rng() % 3) {
    case 0:
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", day, month, year);
        break;
    case 1:
        std::snprintf(date, sizeof date, "%02d.%02d.%02d", day, month, year % 100);
        break;
    default:
        date[0] = '\0';
    }
    line += date;
    line.resize(77, ' ');
    return line + "\r\n";
}

inline std::string EloBenchList(int players)
{
    std::mt19937 rng(2024);
    std::string text =
        "ID_NUMBER NameTitl                            COUNTRY  Rtg   Gms  BIRTHDAY   \r\n";
    text.reserve(static_cast<std::size_t>(players + 1) * 79);
    for (int n = 1; n <= players; ++n)
        text += EloBenchLine(rng, n);
    return text;
}

// Game-list rows (row 0 the titles) with dates, results, lengths, codes and ratings.
inline std::vector<GameRow> StatisticsBenchRows(int games)
{
    std::mt19937 rng(77);
    static const char* const Results[] = {"1-0", "1/2", "0-1", "*", "1-0", "0-1"};
    std::vector<GameRow> rows(static_cast<std::size_t>(games) + 1);
    for (int r = 1; r <= games; ++r) {
        GameRow& row = rows[static_cast<std::size_t>(r)];
        row[DateColumn] = std::to_string(1950 + rng() % 80) + ".??.??";
        row[ResultColumn] = Results[rng() % 6];
        row[MoveCountColumn] = std::to_string(10 + rng() % 90);
        row[EcoColumn] = std::string(1, static_cast<char>('A' + rng() % 5)) +
                         std::to_string(rng() % 100 / 10) + std::to_string(rng() % 10);
        if (rng() % 4 != 0) {
            row[WhiteEloColumn] = std::to_string(1800 + rng() % 1000);
            row[BlackEloColumn] = std::to_string(1800 + rng() % 1000);
        }
    }
    return rows;
}

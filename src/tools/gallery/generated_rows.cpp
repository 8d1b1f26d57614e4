#include "generated_rows.h"

#include <array>
#include <cstdio>
#include <string>

namespace gallery {
namespace {

constexpr std::array<const char*, 16> Given{"Ada",     "Alan",  "Grace", "Edsger", "Barbara", "Donald",
                                            "Frances", "John",  "Karen", "Ken",    "Niklaus", "Radia",
                                            "Dennis",  "Shafi", "Tony",  "Ursula"};
constexpr std::array<const char*, 16> Family{
    "Lovelace", "Turing",   "Hopper", "Dijkstra", "Liskov",  "Knuth",      "Allen", "Backus",
    "Jones",    "Thompson", "Wirth",  "Perlman",  "Ritchie", "Goldwasser", "Hoare", "Martin"};
constexpr std::array<const char*, 12> Cities{"Aberdeen",  "Bergen",   "Cork",   "Dresden",
                                             "Eindhoven", "Florence", "Geneva", "Hamburg",
                                             "Innsbruck", "Lyon",     "Malmo",  "Nantes"};
constexpr std::array<const char*, 12> States{"AB", "BG", "CK", "DR", "EN", "FL",
                                             "GE", "HH", "IN", "LY", "MA", "NA"};

// A well-mixed number from the position, so neighbouring rows differ.
uint64_t mix(uint64_t value) {
    value ^= value >> 33;
    value *= 0xff51afd7ed558ccdULL;
    value ^= value >> 33;
    value *= 0xc4ceb9fe1a85ec53ULL;
    value ^= value >> 33;
    return value;
}

} // namespace

Customer GeneratedRows::row(size_t index) const {
    uint64_t bits = mix(index + 1);
    Customer row;
    row.number = static_cast<int32_t>(index + 1);
    std::string name = std::string(Given[bits % Given.size()]) + " " + Family[(bits >> 8) % Family.size()];
    row.name = name;
    size_t city = (bits >> 16) % Cities.size();
    row.city = Cities[city];
    row.state = States[city];
    char phone[16];
    std::snprintf(phone, sizeof phone, "0%03u %06u", static_cast<unsigned>((bits >> 24) % 1000),
                  static_cast<unsigned>((bits >> 34) % 1000000));
    row.phone = phone;
    row.balance.set(static_cast<int64_t>((bits >> 40) % 2000000) - 500000);
    row.web = "www.example.org/c" + std::to_string(index + 1);
    return row;
}

} // namespace gallery

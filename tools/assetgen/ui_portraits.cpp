// Draws the six speech-box portraits: busts of the speakers in gilt frames.
#include "ui_portraits.h"

#include <algorithm>
#include <cmath>

#include "hero_paint.h"

namespace art {
namespace {

constexpr int P = 112;      // portrait size
constexpr int BORDER = 5;   // gilt frame width

using Points = std::vector<std::pair<int, int>>;

Canvas layer() { return Canvas(P, P); }

// A filled ellipse box shaded from the upper left between two shades of its ramp.
void blob(Canvas& c, int x, int y, int w, int h, int ramp, int lo, int hi) {
    fill_ellipse_box(c, x, y, w, h, ramp + hi);
    shade_ellipse(c, x, y, w, h, ramp, lo, hi);
}

void shape(Canvas& c, const Points& pts, int index) { fill_polygon(c, pts, index); }

// The backdrop: a vertical fall of one ramp with a soft light behind the head.
Canvas backdrop(int ramp) {
    Canvas c(P, P);
    for (int y = 0; y < P; ++y)
        for (int x = 0; x < P; ++x) {
            double dx = (x - 56) / 48.0, dy = (y - 46) / 44.0;
            double glow = std::max(0.0, 1.0 - std::sqrt(dx * dx + dy * dy));
            double v = 1.0 + 2.0 * (P - y) / P + 2.0 * glow;
            // A little ordered dither between neighbouring shades keeps the fall smooth.
            double bayer = ((x & 1) * 2 + (y & 1) * 3) % 4 / 4.0;
            int shade = static_cast<int>(v + bayer - 0.375);
            c.set(x, y, ramp + std::clamp(shade, 0, 5));
        }
    return c;
}

// Everyone but the hero speaks from the right of the screen, so their busts (drawn
// facing right) are turned to face left, toward the middle of the screen.
bool facing_left = false;

// Puts the bust (already outlined part by part) on the backdrop and frames it.
Canvas framed(Canvas back, Canvas bust) {
    if (facing_left) bust = flip_horizontal(bust);
    for (int y = BORDER; y < P - BORDER; ++y)
        for (int x = BORDER; x < P - BORDER; ++x)
            if (bust.at(x, y)) back.set(x, y, bust.at(x, y));
    rect_outline(back, 0, 0, P, P, BLACK);
    bevel_frame(back, 1, 1, P - 2, P - 2, BORDER - 2, GOLD);
    rect_outline(back, BORDER - 1, BORDER - 1, P - 2 * BORDER + 2, P - 2 * BORDER + 2, BLACK);
    return back;
}

// ---- Rats: the hero, the grandfather and the prisoner share one head, facing right. ----

struct RatLook {
    int fur;           // ramp of the fur
    int cloth;         // ramp of the clothes
    int cloth_shade;   // middle shade of the clothes
    bool hero = false;
    bool elder = false;
    bool prisoner = false;
};

void rat_bust(Canvas& b, const RatLook& k) {
    const int fur_lo = 3, fur_hi = k.elder ? 7 : 6;

    if (k.elder) {
        // The walking cane in his far hand, its crook above the shoulder.
        Canvas cane = layer();
        thick_line(cane, 18, 60, 18, 112, 2, WOOD + 3);
        thick_path(cane, {{18, 60}, {20, 52}, {28, 48}, {34, 52}, {34, 56}}, 2, WOOD + 4);
        line(cane, 17, 62, 17, 111, WOOD + 5);
        stamp(b, cane);
    }

    Canvas body = layer();
    blob(body, 10, 80, 92, 60, k.cloth, k.cloth_shade - 2, k.cloth_shade + 1);
    if (k.hero) {
        // Belt strap across the chest for the sword on his back.
        thick_line(body, 30, 84, 72, 112, 2, WOOD + 2);
        line(body, 30, 83, 72, 111, WOOD + 4);
    }
    if (k.elder) {
        // The robe's trimmed collar.
        thick_path(body, {{36, 82}, {52, 104}, {56, 112}}, 2, GOLD + 4);
        thick_path(body, {{80, 82}, {66, 104}, {64, 112}}, 2, GOLD + 4);
    }
    if (k.prisoner) {
        // Patches and a torn neckline.
        fill_rect(body, 24, 94, 12, 10, k.cloth + 2);
        rect_outline(body, 24, 94, 12, 10, k.cloth + 1);
        fill_rect(body, 76, 100, 10, 8, k.cloth + 5);
        shape(body, {{46, 80}, {54, 92}, {60, 84}, {66, 94}, {72, 80}}, k.fur + 4);
    }
    stamp(b, body);

    if (k.hero) {
        Canvas scarf = layer();
        blob(scarf, 36, 72, 48, 18, RED, 3, 5);
        shape(scarf, {{40, 82}, {30, 102}, {40, 100}, {46, 86}}, RED + 3);
        stamp(b, scarf);
    }

    Canvas far_ear = layer();
    blob(far_ear, 60, 8, 30, 30, k.fur, fur_lo - 1, fur_hi - 2);
    fill_ellipse_box(far_ear, 66, 14, 18, 18, SKIN + 3);
    stamp(b, far_ear);

    Canvas head = layer();
    fill_ellipse_box(head, 24, 26, 58, 54, k.fur + 5);
    shape(head, {{60, 42}, {90, 56}, {100, 64}, {98, 72}, {74, 82}, {56, 76}}, k.fur + 5);
    shade_ellipse(head, 22, 22, 84, 64, k.fur, fur_lo, fur_hi);
    // The pale underside of the muzzle, kept inside the head's outline.
    Canvas muzzle = layer();
    fill_ellipse_box(muzzle, 54, 64, 48, 22, k.fur + 6);
    fill_ellipse_box(muzzle, 60, 66, 30, 14, k.fur + 7);
    for (size_t i = 0; i < muzzle.pixels.size(); ++i)
        if (muzzle.pixels[i] && head.pixels[i]) head.pixels[i] = muzzle.pixels[i];
    stamp(b, head);

    if (k.elder) {
        // A long white beard hanging from the chin.
        Canvas beard = layer();
        shape(beard, {{52, 70}, {88, 76}, {86, 92}, {74, 108}, {66, 100}, {56, 104}, {54, 88}}, GREY + 13);
        shade_ellipse(beard, 50, 68, 40, 42, GREY, 10, 14);
        line(beard, 64, 82, 66, 98, GREY + 11);
        line(beard, 74, 82, 74, 100, GREY + 11);
        stamp(b, beard);
    }

    // Nose, teeth and mouth.
    Canvas nose = layer();
    fill_circle(nose, 98, 66, 5, SKIN + 4);
    fill_rect(nose, 97, 63, 2, 2, SKIN + 7);
    if (!k.elder) fill_rect(nose, 86, 76, 5, 6, WHITE);
    stamp(b, nose);
    if (!k.elder) line(b, 88, 76, 88, 81, GREY + 10);
    if (k.prisoner)
        line(b, 78, 80, 84, 78, k.fur + 1);  // a worried mouth
    else
        thick_path(b, {{74, 78}, {80, 80}, {86, 78}}, 0, k.fur + 1);

    // The eye: big, bright, with a brow that sets the mood.
    Canvas eye = layer();
    fill_ellipse_box(eye, 62, 40, 14, 16, WHITE);
    fill_ellipse_box(eye, 67, 43, 8, 11, BLACK);
    stamp(b, eye);
    fill_rect(b, 68, 44, 3, 3, WHITE);
    b.set(73, 51, GREY + 8);
    int brow = k.elder ? GREY + 14 : k.fur + 1;
    if (k.prisoner)
        thick_line(b, 60, 36, 74, 32, 1, brow);  // raised at the inside: pleading
    else if (k.elder)
        thick_path(b, {{56, 36}, {66, 32}, {80, 36}}, 2, brow);  // bushy white brows
    else
        thick_line(b, 60, 33, 78, 38, 1, brow);  // level and low: determined
    if (k.prisoner) {
        // A tear.
        fill_rect(b, 70, 58, 2, 4, SKY + 6);
        b.set(70, 58, WHITE);
    }
    if (k.elder) {
        // Round spectacles with a bridge over the snout.
        for (double a = 0; a < 6.3; a += 0.05) {
            b.set(static_cast<int>(std::lround(69 + 11 * std::cos(a))), static_cast<int>(std::lround(48 + 11 * std::sin(a))), GOLD + 5);
            b.set(static_cast<int>(std::lround(69 + 12 * std::cos(a))), static_cast<int>(std::lround(48 + 12 * std::sin(a))), BLACK);
        }
        line(b, 81, 50, 90, 56, GOLD + 5);
        line(b, 57, 46, 40, 44, GOLD + 4);
    }

    // Whiskers fanning out from the snout.
    int whisker = k.elder ? WHITE : k.fur + 7;
    line(b, 84, 68, 108, 58, whisker);
    line(b, 84, 70, 108, 68, whisker);
    line(b, 82, 72, 106, 80, whisker);

    Canvas ear = layer();
    blob(ear, 12, 4, 40, 42, k.fur, fur_lo, fur_hi);
    fill_ellipse_box(ear, 18, 10, 28, 30, SKIN + 4);
    shade_ellipse(ear, 18, 10, 28, 30, SKIN, 3, 6);
    stamp(b, ear);
    if (k.prisoner) {
        // A nick torn out of the ear.
        shape(b, {{14, 20}, {22, 24}, {14, 28}}, TRANSPARENT);
    }
}

Canvas hero_portrait() {
    Canvas b = layer();
    rat_bust(b, {FUR, LEAF, 5, true, false, false});
    return framed(backdrop(SKY), b);
}

Canvas grandfather_portrait() {
    Canvas b = layer();
    rat_bust(b, {STONE, WOOD, 3, false, true, false});
    return framed(backdrop(OCHRE), b);
}

Canvas prisoner_portrait() {
    Canvas back = backdrop(SLATE);
    // The cell: iron bars behind him.
    for (int x = 14; x < P; x += 22) {
        fill_rect(back, x, 0, 6, P, STEEL + 2);
        fill_rect(back, x + 1, 0, 2, P, STEEL + 4);
        fill_rect(back, x + 5, 0, 1, P, BLACK);
    }
    fill_rect(back, 0, 18, P, 5, STEEL + 3);
    Canvas b = layer();
    rat_bust(b, {DIRT, SLATE, 4, false, false, true});
    return framed(back, b);
}

// ---- Dorvik, the mole warlord: velvet black, pink star nose, iron helmet, great claws. ----
Canvas mole_portrait() {
    Canvas back = backdrop(DIRT);
    for (int i = 0; i < 14; ++i) {
        int x = static_cast<int>(noise(i, 1, 9) % P), y = static_cast<int>(noise(i, 2, 9) % P);
        fill_ellipse_box(back, x, y, 6, 4, DIRT + 1);
        back.set(x + 1, y, DIRT + 4);
    }
    Canvas b = layer();

    Canvas body = layer();
    blob(body, 4, 74, 104, 64, MOLE, 1, 3);
    stamp(b, body);
    Canvas pauldrons = layer();
    blob(pauldrons, 0, 72, 40, 26, STEEL, 2, 5);
    for (int i = 0; i < 3; ++i) shape(pauldrons, {{6 + i * 11, 76}, {10 + i * 11, 60}, {14 + i * 11, 76}}, STEEL + 5);
    stamp(b, pauldrons);

    Canvas head = layer();
    fill_ellipse_box(head, 18, 24, 70, 62, MOLE + 3);
    shade_ellipse(head, 18, 24, 70, 62, MOLE, 1, 4);
    stamp(b, head);

    Canvas snout = layer();
    shape(snout, {{66, 50}, {98, 56}, {104, 64}, {98, 74}, {66, 76}}, SKIN + 4);
    shade_ellipse(snout, 62, 48, 46, 30, SKIN, 2, 5);
    stamp(b, snout);
    Canvas star = layer();
    for (int i = 0; i < 8; ++i) {
        double a = i * 0.785;
        fill_circle(star, static_cast<int>(98 + 6 * std::cos(a)), static_cast<int>(64 + 6 * std::sin(a)), 2, SKIN + 5);
    }
    fill_circle(star, 98, 64, 4, SKIN + 5);
    fill_ellipse_box(star, 98, 60, 3, 4, SKIN + 1);
    fill_ellipse_box(star, 98, 66, 3, 4, SKIN + 1);
    stamp(b, star);
    line(b, 70, 78, 86, 76, MOLE + 0);
    // A sneer showing one tooth.
    fill_rect(b, 80, 76, 3, 4, WHITE);

    // Small, squinting, furious eyes under a heavy brow, and an old scar.
    fill_ellipse_box(b, 58, 44, 12, 6, BLACK);
    fill_rect(b, 62, 45, 3, 2, RED + 5);
    thick_line(b, 52, 36, 72, 44, 2, MOLE + 0);
    line(b, 40, 46, 54, 64, SKIN + 2);
    line(b, 41, 46, 55, 64, SKIN + 1);
    for (int i = 0; i < 3; ++i) line(b, 42 + i * 5, 54 + i * 5 - 4, 46 + i * 5, 52 + i * 5 - 4, SKIN + 3);

    // The iron helmet with a spike and a riveted band.
    Canvas helm = layer();
    fill_ellipse_box(helm, 20, 8, 64, 46, STEEL + 4);
    for (int y = 34; y < 60; ++y)
        for (int x = 0; x < P; ++x) helm.set(x, y, TRANSPARENT);
    shade_ellipse(helm, 20, 8, 64, 46, STEEL, 2, 6);
    fill_rect(helm, 20, 28, 64, 6, STEEL + 3);
    for (int x = 26; x < 82; x += 9) helm.set(x, 30, STEEL + 7);
    shape(helm, {{46, 10}, {52, -6}, {58, 10}}, STEEL + 6);
    stamp(b, helm);

    // The digging claws raised in front.
    Canvas claws = layer();
    blob(claws, 62, 86, 38, 26, SKIN, 2, 4);
    for (int i = 0; i < 4; ++i) {
        int x = 66 + i * 8;
        shape(claws, {{x, 90}, {x + 10, 70 + i * 2}, {x + 6, 92}}, CREAM + 6);
    }
    stamp(b, claws);
    return framed(back, b);
}

// ---- Lord Hogrand, the pig lord: pink snout, tusk, plumed helmet, spear at his side. ----
Canvas pig_portrait() {
    Canvas back = backdrop(BRICK);
    Canvas b = layer();

    Canvas spear = layer();
    thick_line(spear, 96, 16, 96, 112, 1, WOOD + 4);
    line(spear, 95, 16, 95, 112, WOOD + 6);
    shape(spear, {{90, 20}, {96, 0}, {102, 20}, {96, 24}}, STEEL + 6);
    line(spear, 96, 2, 96, 22, STEEL + 4);
    fill_rect(spear, 92, 24, 9, 3, GOLD + 4);
    stamp(b, spear);

    Canvas cape = layer();
    blob(cape, 2, 76, 108, 60, RED, 2, 4);
    stamp(b, cape);
    Canvas armour = layer();
    blob(armour, 14, 80, 82, 56, STEEL, 2, 6);
    line(armour, 55, 82, 55, 112, STEEL + 2);
    for (int x = 26; x < 90; x += 14) armour.set(x, 92, GOLD + 6);
    stamp(b, armour);

    Canvas head = layer();
    fill_ellipse_box(head, 20, 26, 70, 60, ROSE + 5);
    shape(head, {{70, 46}, {92, 52}, {92, 78}, {70, 82}}, ROSE + 5);
    shade_ellipse(head, 16, 22, 84, 66, ROSE, 2, 6);
    stamp(b, head);

    Canvas snout = layer();
    blob(snout, 84, 50, 20, 30, ROSE, 4, 6);
    fill_ellipse_box(snout, 93, 56, 5, 7, ROSE + 1);
    fill_ellipse_box(snout, 93, 67, 5, 7, ROSE + 1);
    stamp(b, snout);

    // A scowl and an upturned tusk.
    thick_path(b, {{62, 80}, {74, 78}, {84, 80}}, 0, ROSE + 1);
    Canvas tusk = layer();
    shape(tusk, {{72, 82}, {80, 82}, {84, 64}}, CREAM + 7);
    line(tusk, 79, 80, 83, 66, CREAM + 4);
    stamp(b, tusk);

    fill_ellipse_box(b, 60, 46, 9, 9, BLACK);
    fill_rect(b, 62, 47, 2, 2, WHITE);
    thick_line(b, 54, 40, 72, 46, 2, ROSE + 1);

    Canvas ear = layer();
    shape(ear, {{22, 54}, {6, 30}, {34, 40}}, ROSE + 4);
    shape(ear, {{22, 50}, {12, 34}, {30, 42}}, ROSE + 2);
    stamp(b, ear);

    // The helmet: a steel cap with a nasal guard band and a red plume.
    Canvas plume = layer();
    blob(plume, 26, 0, 36, 20, RED, 3, 6);
    for (int i = 0; i < 4; ++i) line(plume, 30 + i * 8, 2, 28 + i * 8, 16, RED + 2);
    stamp(b, plume);
    Canvas helm = layer();
    fill_ellipse_box(helm, 30, 12, 58, 40, STEEL + 4);
    for (int y = 34; y < 60; ++y)
        for (int x = 0; x < P; ++x) helm.set(x, y, TRANSPARENT);
    shade_ellipse(helm, 30, 12, 58, 40, STEEL, 2, 6);
    fill_rect(helm, 30, 30, 58, 5, GOLD + 4);
    line(helm, 30, 30, 87, 30, GOLD + 6);
    stamp(b, helm);
    return framed(back, b);
}

// ---- King Vespro, the wasp king: striped, great red eyes, crown and royal collar. ----
Canvas wasp_portrait() {
    Canvas back = backdrop(PURPLE);
    Canvas b = layer();

    Canvas wings = layer();
    fill_ellipse_box(wings, 0, 14, 54, 34, SKY + 6);
    fill_ellipse_box(wings, 4, 40, 44, 26, SKY + 5);
    line(wings, 50, 34, 6, 24, SKY + 3);
    line(wings, 44, 52, 8, 52, SKY + 3);
    line(wings, 30, 30, 14, 40, WHITE);
    stamp(b, wings);

    Canvas thorax = layer();
    blob(thorax, 10, 80, 92, 56, GOLD, 3, 5);
    for (int y = 90; y < P; y += 12) fill_rect(thorax, 0, y, P, 5, BLACK);
    Canvas body_mask = layer();
    fill_ellipse_box(body_mask, 10, 80, 92, 56, 1);
    for (size_t i = 0; i < thorax.pixels.size(); ++i)
        if (!body_mask.pixels[i]) thorax.pixels[i] = 0;
    stamp(b, thorax);

    // Royal collar: purple with ermine spots.
    Canvas collar = layer();
    blob(collar, 20, 74, 72, 20, PURPLE, 3, 5);
    fill_ellipse_box(collar, 24, 86, 64, 10, WHITE);
    for (int x = 30; x < 86; x += 10) fill_rect(collar, x, 89, 2, 3, BLACK);
    stamp(b, collar);

    Canvas head = layer();
    fill_ellipse_box(head, 24, 26, 62, 56, GOLD + 5);
    shade_ellipse(head, 24, 26, 62, 56, GOLD, 3, 6);
    // The black crown of the head and a stripe down its back.
    Canvas cap = layer();
    fill_ellipse_box(cap, 18, 18, 50, 40, BLACK);
    fill_rect(cap, 28, 56, 8, 30, BLACK);
    for (size_t i = 0; i < cap.pixels.size(); ++i)
        if (cap.pixels[i] && head.pixels[i]) head.pixels[i] = GREY + 2;
    stamp(b, head);

    Canvas jaw = layer();
    shape(jaw, {{78, 66}, {98, 70}, {92, 78}, {80, 74}}, BLACK);
    shape(jaw, {{74, 74}, {92, 82}, {84, 86}, {72, 80}}, GREY + 4);
    stamp(b, jaw);

    Canvas eye = layer();
    fill_ellipse_box(eye, 58, 34, 30, 38, RED + 2);
    shade_ellipse(eye, 58, 34, 30, 38, RED, 1, 4);
    for (int y = 38; y < 70; y += 5)
        for (int x = 60 + (y / 5 % 2) * 2; x < 88; x += 5)
            if (eye.at(x, y)) eye.set(x, y, RED + 1);
    fill_ellipse_box(eye, 64, 40, 8, 6, RED + 6);
    fill_rect(eye, 65, 41, 3, 2, WHITE);
    stamp(b, eye);

    Canvas antennae = layer();
    thick_path(antennae, {{62, 32}, {72, 16}, {86, 8}}, 1, BLACK);
    thick_path(antennae, {{50, 30}, {54, 12}, {62, 2}}, 1, GREY + 3);
    fill_circle(antennae, 87, 8, 3, BLACK);
    stamp(b, antennae);

    // The crown, tilted back on his head, with jewels.
    Canvas crown = layer();
    shape(crown, {{28, 34}, {26, 14}, {34, 22}, {40, 8}, {46, 22}, {54, 10}, {56, 30}}, GOLD + 6);
    shade_ellipse(crown, 24, 6, 36, 30, GOLD, 4, 7);
    fill_rect(crown, 26, 26, 31, 5, GOLD + 4);
    fill_rect(crown, 33, 27, 4, 3, RED + 5);
    fill_rect(crown, 45, 27, 4, 3, WATER + 6);
    crown.set(40, 9, WHITE);
    stamp(b, crown);
    return framed(back, b);
}

}  // namespace

Canvas make_portrait_sheet() {
    std::vector<Canvas> frames;
    facing_left = false;
    frames.push_back(hero_portrait());
    facing_left = true;
    frames.push_back(grandfather_portrait());
    frames.push_back(mole_portrait());
    frames.push_back(pig_portrait());
    frames.push_back(wasp_portrait());
    frames.push_back(prisoner_portrait());
    return sheet(frames, 3);
}

}  // namespace art

// Every line of the story in the order a whole game reads it, as the game stores it: the
// opening, a locked jail door bumped into on level 1, then each level's encounter, defeat,
// key and completion.
#pragma once
#include <string>
#include <vector>

inline const std::vector<std::string>& story_in_order() {
    static const std::vector<std::string> lines = {
        "Grandfather, what happened?!?",
        "The evil Vorrocks have taken the citizens of Curdwick.  Take my sword and save them!!!",
        "Nibbs you must find the key.",
        "I will save you guys.",
        "Let my people go and leave this place never to return, and I shall spare your life.",
        "Hahahahahaha, what can a puny rat like you do to me.",
        "I told you you would die by my sword.",
        "Noooooooooo.",
        "This must be the key that will free my people.",
        "Citizens of Curdwick, you have been saved.",
        "Thank you for saving us Nibbs, but there are more villagers captured by Lord Hogrump.",
        "I will rescue them.  You should be able to travel home safely.",
        "Thank you Nibbs!",
        "Hogrand, ill give you one chance to give up and exile your self from these lands before I\x92ll kill you!",
        "I don\x92t know how you defeated Dorvik Mole, but I will not be destroyed so easily!",
        "Take that sweinhund.",
        "You are a worthy opponent, I'm Sorry.",
        "This must be the key that will free my people.",
        "Fear not citizens of Curdwick, for I have slayed the evil Dorvik Mole and Lord Hogrand.",
        "You are now free.",
        "Oh thank you Nibbs, but I\x92m afraid your journey not yet come to an end.",
        "The fiercest leader of the Vorrocks has taken other  citizens.",
        "His evil lair is high about the Great Tree, go now Nibbs",
        "I will save them and put an end to the Vorrocks evil reign.",
        "Thank you Nibbs!",
        "Release my people King Vespro!",
        "Poor fa voor, Nibbs, No Hablo Englis",
        "I finally put an end to your evil reign.",
        "Aye carumba, a King defeated by a rat, oh the shame.",
        "This must be the key that will free my people.",
        "I finally freed the last of my people.",
        "Nibbs you're my hero.",
        "Oh thank you Nibbs.",
        "they will have to deal with the might of Nibbs RAT.",
        "Nibbs Begins his Journey home.  Envinsioning an even better Curdwick.",
    };
    return lines;
}

// True for the two lines a locked jail door calls out (they come only when one is bumped).
inline bool locked_door_line(const std::string& line) {
    return line == "Nibbs you must find the key." || line == "I will save you guys.";
}

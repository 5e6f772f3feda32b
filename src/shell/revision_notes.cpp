#include "shell/revision_notes.h"

#include <array>

namespace {

using Notes = std::string_view;

constexpr std::array<Notes, 5> Notes101{
    "Added this window, which lists what changed in each version.",
    "New tool buttons for the weaving image mark the direction reversals and the twist points of the cards.",
    "Picks can be deleted or repeated from the context menu of the pick list.",
    "The action panel of the threaded-in designer can be hidden to give the band more room.",
    "The card frames show the next turn of each card.",
};
constexpr std::array<Notes, 7> Notes102{
    "Pattern files now have the extension \".tvl\".\r\nOlder \".xml\" pattern files still load.",
    "The Load command finds out the kind of pattern by itself.",
    "Pattern windows can be tiled and cascaded from the Windows menu.",
    "Fixed the brocade editor, which could lose the last weft of a pattern.",
    "The turning direction can be reversed for single cards.",
    "Pack actions can be broken up into the actions of their cards.",
    "Palettes can be added, named and chosen for each pattern.",
};
constexpr std::array<Notes, 5> Notes103{
    "The threading diagram can be printed with colour names or characters instead of colours.",
    "Added the turning sequence as text, to be saved beside the pattern.",
    "The weaving chart shows the pick and card numbers.",
    "Fixed the S and Z threading of cards with an odd number of holes.",
    "The palette list shows all sixteen colours of every palette.",
};
constexpr std::array<Notes, 3> Notes104{
    "Images of the band can be saved as bitmaps and JPEG files.",
    "The image of the band can be copied to the clipboard.",
    "Fixed the zoom of the weaving image, which lost its place when the window was resized.",
};
constexpr std::array<Notes, 5> Notes105{
    "Added the double-face designer for patterns in two colours.",
    "Double-face patterns are saved as their own kind and can be turned into threaded-in patterns.",
    "A monochrome bitmap can be imported as a double-face design.",
    "The grid of the block designers can be shifted, mirrored and inverted.",
    "Fixed the long floats of the real image, which were sometimes drawn one pick too short.",
};
constexpr std::array<Notes, 11> Notes106{
    "Added the 3/1 broken twill designer.",
    "Twill patterns show their long floats as they are drawn.",
    "The colour interchange of a twill can use a change of turning sequence or card twists.",
    "New twill patterns start with an S or Z background twill, as the settings say.",
    "Added the selvedge generator for threaded-in patterns.",
    "The block designers keep up to thirty steps of undo.",
    "Areas of a design can be selected, moved, copied and cut.",
    "Selected areas can be kept as clips at the bottom of the main window and pasted into any design.",
    "Clips can be turned and mirrored before they are pasted.",
    "Fixed the printing of patterns with more than one hundred cards.",
    "The notes of a pattern can be docked at the right of the main window.",
};
constexpr std::array<Notes, 7> Notes107{
    "Added display profiles: the way a design is shown can be saved under a name and chosen again.",
    "Display profiles are kept in the settings file.",
    "The real image can show the reverse side of the band.",
    "Idle cards can be marked in the weaving image.",
    "The cell ratios of the real image can be changed.",
    "Fixed the redrawing of the weaving image after a pick was deleted.",
    "The pick list can show packs by name.",
};
constexpr std::array<Notes, 10> Notes108{
    "Added the font generator, in which letters are drawn as double-face tiles.",
    "Fonts are saved in their own files with the extension \".tvf\".",
    "Added the lettered band, made from a font and a text.",
    "The lettered band can be saved as a threaded-in pattern.",
    "The space between letters can be set for each band.",
    "Fixed the width of letters drawn at the edge of a tile.",
    "The main window shows the name and file of the active pattern.",
    "The name of a pattern can be changed in the main window.",
    "The tool buttons follow the active window.",
    "Files named on the command line are opened at start.",
};
constexpr std::array<Notes, 12> Notes109{
    "Added the brocade designer, with brocade wefts over a ground weave.",
    "The ground weave of a brocade can be imported from a threaded-in pattern.",
    "Brocade floats can be marked where they cross many warp threads.",
    "Brocade patterns can be printed with their tie-downs.",
    "Double-face and twill patterns can be converted into brocade.",
    "The colours of a brocade weft can be chosen from the palette.",
    "Fixed the tie-downs of brocade picks at the edge of the band.",
    "The settings are kept in the file \"settings.xml\".",
    "The palettes are kept in the file \"tvlpalettes.xml\".",
    "The folders last used for loading and saving are remembered.",
    "Fixed a crash when a pattern without picks was printed.",
    "The double-face designer can show the threading of every card.",
};
constexpr std::array<Notes, 14> Notes110{
    "Added the twist-patterned designer for warp-twined bands.",
    "Twist-patterned designs can use card twists or changes of turning direction.",
    "The threading of each card of a twist-patterned design can be set in the size dialog.",
    "Patterns of one kind can be joined side by side or end to end.",
    "The weaving chart can be printed on several pages.",
    "The print font size can be set in the settings.",
    "The default printer and paper size can be set in the settings.",
    "Fixed the page numbers of printed turning sequences.",
    "Added a multiple-colour double-face designer with four colours.",
    "The three-colour setup of the double-face designer sets the colours of a whole card at once.",
    "The card setup dialog sets the threading and colours of many cards together.",
    "Fixed the palette of patterns that were loaded while another palette was chosen.",
    "The snapshot panel of the block designers can be placed on any side.",
    "Default notes are added to every new pattern.",
};
constexpr std::array<Notes, 15> Notes111{
    "Added the pattern browser, which shows the patterns of a folder as thumbnails.",
    "The browser keeps its thumbnails in a cache, so that a folder opens quickly the second time.",
    "A pattern opens from the browser with a double click.",
    "The browser remembers the last folder it showed.",
    "Fixed the thumbnails of twill patterns, which were drawn sideways.",
    "The weaving image can show twining as well as colours.",
    "The uppermost hole of each card can be shown in the weaving image.",
    "The tags of picks and cards can be shown in the weaving image.",
    "The colour of the tags can be set in the settings.",
    "The grid colour of the weaving image can be changed for each pattern.",
    "The pick list can be shown as a grid of icons.",
    "Picks can be moved in the pick list by dragging them.",
    "Fixed the undo of shifted areas in the double-face designer.",
    "The threaded-in designer asks before it closes a changed pattern.",
    "The main window asks before the program closes.",
};
constexpr std::array<Notes, 7> Notes112{
    "The program can check at start whether pattern files are registered, and offer to register them.",
    "Pattern and font files open in the program with a double click once they are registered.",
    "Added a 6-hole double-face designer with six colours.",
    "Fixed the conversion of double-face patterns with an odd number of cards.",
    "The notes window can float beside the main window.",
    "The exception dialog shows the details of an error and can save them.",
    "Fixed the tool bars, which could lose their buttons after an error.",
};
constexpr std::array<Notes, 2> Notes113{
    "Fixed the saving of brocade patterns with empty wefts.",
    "Fixed the import of monochrome bitmaps wider than the design.",
};
constexpr std::array<Notes, 13> Notes114{
    "The block designers can show the underlying block pattern under the design.",
    "Grid highlights can mark every so many cells to help counting.",
    "The spacing and colour of the grid highlights can be set in the settings.",
    "The turning direction can be shown as letters, diagonal lines or blocks.",
    "Added the card position details, which list where every card stands after each pick.",
    "The turning actions of a pattern can be listed pick by pick.",
    "The turning actions can be copied as text.",
    "Images can be saved as GIF files.",
    "Fixed the colours of JPEG images, which came out too dark.",
    "The real image marks long floats over three, four and five or more picks in their own colours.",
    "The colours of the long-float marks can be set in the settings.",
    "Fixed the mirror of twill designs around the horizontal axis.",
    "Areas can be cut or copied when they are moved, as the settings say.",
};
constexpr std::array<Notes, 9> Notes115{
    "Double-face designs can be realigned after cards were added at the edge.",
    "The clip panel can be shown and hidden from the View menu.",
    "Clips can be deleted from their own menu.",
    "Fixed the twist marks of cards turned by two holes.",
    "The twining marker colours can be set in the settings.",
    "New patterns of every kind start in the orientation the settings say.",
    "The display size ratios of every designer can be set in the settings.",
    "Fixed the memory use of large weaving images.",
    "The double-face designer opens with the threading the settings say.",
};
constexpr std::array<Notes, 11> Notes116{
    "The brocade designer now takes up to five wefts.",
    "Added the line width of the grid highlights to the settings.",
    "Brocade patterns open with the threading the settings say.",
    "The brocade long-float marks can be switched on and off for each length.",
    "Fixed the brocade image, which did not show the last weft.",
    "The display profiles can be renamed and deleted in the settings.",
    "A display profile of the block designers keeps the twist marks too.",
    "Fixed the zoom buttons, which could zoom past the smallest size.",
    "The weaving chart is offered in the display profile menu.",
    "Twist-patterned designs can be printed with their card threading.",
    "Fixed the file names shown for patterns loaded from the command line.",
};
constexpr std::array<Notes, 11> Notes117{
    "Added the about box and moved the revision notes to their own window with the known bugs.",
    "The lettered band can be edited without leaving its window.",
    "Fixed the letters of the lettered band, which moved after the font was changed.",
    "The 3/1 broken twill designer realigns its design after cards were added.",
    "Fixed the long-float marks of twill patterns at the edge of the band.",
    "The palette functions can swap or replace colours in the selected cards.",
    "The card list can be shown beside the weaving image.",
    "Fixed the selection of areas that reach past the edge of the design.",
    "The palette chooser lists the palettes in a combo box.",
    "The settings dialog keeps the size ratios within sensible limits.",
    "Fixed the Windows menu, which sometimes listed a closed pattern.",
};

constexpr std::array<TTWRevision, 17> Revisions{{
    {"Version 1.01", Notes101},
    {"Version 1.02", Notes102},
    {"Version 1.03", Notes103},
    {"Version 1.04", Notes104},
    {"Version 1.05", Notes105},
    {"Version 1.06", Notes106},
    {"Version 1.07", Notes107},
    {"Version 1.08", Notes108},
    {"Version 1.09", Notes109},
    {"Version 1.10", Notes110},
    {"Version 1.11", Notes111},
    {"Version 1.12", Notes112},
    {"Version 1.13", Notes113},
    {"Version 1.14", Notes114},
    {"Version 1.15", Notes115},
    {"Version 1.16 (1 March 2004)", Notes116},
    {"Version 1.17 (22 April 2004)", Notes117},
}};

constexpr std::array<TTWKnownProblem, 3> Problems{{
    {"Broken Twill - Real Image",
     "When card twists are used for the colour interchange, the real image may show the wrong colour in the "
     "last pick of alternate cards."},
    {"Toolbar - Resizing",
     "The tool bars of the main window do not adjust when the window is resized; they can be dragged into "
     "place."},
    {"Large Patterns",
     "Creating very large double-face, brocade or twist-patterned designs can run out of memory."},
}};

} // namespace

std::span<const TTWRevision> RevisionNotes()
{
    return Revisions;
}

std::span<const TTWKnownProblem> KnownProblems()
{
    return Problems;
}

// Draws Morvil's title-bar glyphs and menu icons as pixel art (also at twice the size,
// for scaled screens), and the program's icon in the sizes of the desktop's icon
// theme, and saves them as PNGs.
// Run by hand after changing a picture; the PNGs it writes are committed to assets/pictures/.
//
// usage: draw_pictures <output folder>
//
// Every pixel-art picture is a grid of palette keys, one string per pixel row; '.' is transparent.
// The title-bar glyphs sit on the bar colour #C1C1AC, so they are drawn dark.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

struct PaletteEntry
{
    char key;
    QRgb colour;
};

constexpr std::array Palette{
    PaletteEntry{'k', qRgb(0x00, 0x00, 0x00)}, // black
    PaletteEntry{'K', qRgb(0x40, 0x40, 0x40)}, // dark grey outline
    PaletteEntry{'g', qRgb(0x80, 0x80, 0x80)}, // grey
    PaletteEntry{'G', qRgb(0xC0, 0xC0, 0xC0)}, // light grey
    PaletteEntry{'h', qRgb(0xE4, 0xE4, 0xE4)}, // lighter grey
    PaletteEntry{'w', qRgb(0xFF, 0xFF, 0xFF)}, // white
    PaletteEntry{'m', qRgb(0xF4, 0xF0, 0xDC)}, // pale cream of a form
    PaletteEntry{'r', qRgb(0xE0, 0x20, 0x20)}, // red
    PaletteEntry{'R', qRgb(0x90, 0x10, 0x10)}, // dark red
    PaletteEntry{'p', qRgb(0xFF, 0x98, 0x98)}, // pink highlight on red
    PaletteEntry{'e', qRgb(0x30, 0xB0, 0x30)}, // green
    PaletteEntry{'E', qRgb(0x18, 0x6A, 0x18)}, // dark green
    PaletteEntry{'l', qRgb(0x98, 0xE0, 0x98)}, // light green
    PaletteEntry{'b', qRgb(0x30, 0x70, 0xE0)}, // blue
    PaletteEntry{'B', qRgb(0x16, 0x3C, 0x90)}, // dark blue
    PaletteEntry{'c', qRgb(0xA8, 0xC8, 0xF8)}, // light blue
    PaletteEntry{'y', qRgb(0xF8, 0xD8, 0x38)}, // yellow
    PaletteEntry{'f', qRgb(0xFF, 0xF0, 0xA0)}, // pale yellow
    PaletteEntry{'Y', qRgb(0xA8, 0x80, 0x10)}, // ochre
    PaletteEntry{'n', qRgb(0xB0, 0x70, 0x30)}, // brown
    PaletteEntry{'N', qRgb(0x60, 0x38, 0x10)}, // dark brown
    PaletteEntry{'S', qRgb(0x2C, 0x3C, 0x50)}, // dark slate of the title-bar glyphs
    PaletteEntry{'s', qRgb(0x5C, 0x74, 0x90)}, // slate highlight
};

struct Picture
{
    const char *fileName;
    std::vector<std::string_view> rows;
};

const std::vector<Picture> &pictures()
{
    static const std::vector<Picture> all{
        // Title-bar glyphs.
        {"about.png", // a person: about
         {
             "................",
             "......kkkk......",
             ".....kssSSk.....",
             "....ksSSSSSk....",
             "....kSSSSSSk....",
             "....kSSSSSSk....",
             ".....kSSSSk.....",
             "......kkkk......",
             ".....kkkkkk.....",
             "...kksssSSSkk...",
             "..ksSSSSSSSSSk..",
             "..ksSSSSSSSSSk..",
             "..kSSSSSSSSSSk..",
             "..kSSSSSSSSSSk..",
             "..kkkkkkkkkkkk..",
             "................",
         }},
        {"play.png", // a play triangle
         {
             "................",
             ".....k..........",
             ".....kk.........",
             ".....kek........",
             ".....keEk.......",
             ".....keEEk......",
             ".....keEEEk.....",
             ".....keEEEEk....",
             ".....keEEEk.....",
             ".....keEEk......",
             ".....keEk.......",
             ".....kek........",
             ".....kk.........",
             ".....k..........",
             "................",
             "................",
         }},
        {"stopplaying.png", // a stop square
         {
             "................",
             "................",
             "................",
             "...kkkkkkkkkk...",
             "...ksssssssSk...",
             "...ksSSSSSSSk...",
             "...ksSSSSSSSk...",
             "...ksSSSSSSSk...",
             "...ksSSSSSSSk...",
             "...ksSSSSSSSk...",
             "...ksSSSSSSSk...",
             "...kSSSSSSSSk...",
             "...kkkkkkkkkk...",
             "................",
             "................",
             "................",
         }},
        {"stoprecording.png", // a record dot with a stop square
         {
             "................",
             "................",
             "......kkkk......",
             "....kkrrrrkk....",
             "...kprrrrrrRk...",
             "...krrrrrrrRk...",
             "..krrrwwwwrrRk..",
             "..krrrwwwwrrRk..",
             "..krrrwwwwrrRk..",
             "..krrrwwwwrrRk..",
             "...krrrrrrRRk...",
             "...kRrrrrRRRk...",
             "....kkRRRRkk....",
             "......kkkk......",
             "................",
             "................",
         }},
        {"minimise.png", // a bar
         {
             ".............",
             ".............",
             ".............",
             ".............",
             ".............",
             ".............",
             ".............",
             ".............",
             "..kkkkkkkkk..",
             "..kkkkkkkkk..",
             ".............",
         }},
        {"close.png", // a cross
         {
             "kk......kk",
             ".kk....kk.",
             "..kk..kk..",
             "...kkkk...",
             "....kk....",
             "...kkkk...",
             "..kk..kk..",
             ".kk....kk.",
             "kk......kk",
         }},
        // Menu icons, index 0 to 21 of the menu's image list.
        {"menu00.png", // a page with two green circling arrows: look for a new version
         {
             "KKKKKKKKKKKK....",
             "KwwwwwwwwwwKK...",
             "KwggggggwwwKgK..",
             "KwwwwwwwwwwKggK.",
             "KwwwwwwwwwwKKKKK",
             "KwwwwweeeewwwwwK",
             "KwwweeeeeeeewwwK",
             "KwwweewwwweewwwK",
             "KwwwwwwwweeeeeeK",
             "KwwEEwwwwweeeewK",
             "KwEEEEwwwwweewwK",
             "KEEEEEEwwwwwwwwK",
             "KwwwEEwwwwEEwwwK",
             "KwwwEEEEEEEEwwwK",
             "KwwwwwEEEEwwwwwK",
             "KKKKKKKKKKKKKKKK",
         }},
        {"menu01.png", // a keyboard: keyboard layout
         {
             "................",
             "................",
             "........KK......",
             ".........K......",
             ".KKKKKKKKKKKKKK.",
             "KhhhhhhhhhhhhhhK",
             "KhwgwgwgwgwgwgGK",
             "KhGGGGGGGGGGGGGK",
             "KhGwgwgwgwgwgGGK",
             "KhGGGGGGGGGGGGGK",
             "KhGGwwwwwwwwgGGK",
             "KhGGGGGGGGGGGGGK",
             ".KKKKKKKKKKKKKK.",
             "................",
             "................",
             "................",
         }},
        {"menu02.png", // paint pot and brush: colours
         {
             ".............nN.",
             "............nN..",
             "...........nN...",
             "..........nN....",
             ".........nN.....",
             "........Gg......",
             ".......Gg.......",
             "......NN........",
             ".....NN.KKKKKKK.",
             "....NN.KbbbbbbbK",
             "...rr..KKbbbbbKK",
             "..rr...KhwGGGGgK",
             "..r....KhwGGGGgK",
             ".......KhwGGGGgK",
             ".......KhwGGGGgK",
             "........KKKKKKK.",
         }},
        {"menu03.png", // a speaker with sound waves
         {
             "................",
             "................",
             ".......K........",
             "......KK....b...",
             ".....KgK.....b..",
             "KKKKKggK..b...b.",
             "KGGGKggK...b..b.",
             "KGGGKggK...b..b.",
             "KGGGKggK...b..b.",
             "KGGGKggK...b..b.",
             "KKKKKggK..b...b.",
             ".....KgK.....b..",
             "......KK....b...",
             ".......K........",
             "................",
             "................",
         }},
        {"menu04.png", // a green play triangle
         {
             "................",
             ".....E..........",
             ".....EE.........",
             ".....ElE........",
             ".....EleE.......",
             ".....EleeE......",
             ".....EleeeE.....",
             ".....EleeeeE....",
             ".....EleeeE.....",
             ".....EleeE......",
             ".....EleE.......",
             ".....ElE........",
             ".....EE.........",
             ".....E..........",
             "................",
             "................",
         }},
        {"menu05.png", // a red check mark: exit
         {
             "................",
             "................",
             "..............rr",
             ".............rrR",
             "............rrR.",
             "...........rrR..",
             "..........rrR...",
             ".rr......rrR....",
             ".Rrr....rrR.....",
             "..Rrr..rrR......",
             "...RrrrrR.......",
             "....RrrR........",
             ".....RR.........",
             "................",
             "................",
             "................",
         }},
        {"menu06.png", // a pale form with text lines and three buttons: show or hide the list
         {
             "................",
             "KKKKKKKKKKKKKKKK",
             "KccccccccccccccK",
             "KKKKKKKKKKKKKKKK",
             "KmmmmmmmmmmmmmmK",
             "KmggggggggggmmmK",
             "KmmmmmmmmmmmmmmK",
             "KmggggggggmmmmmK",
             "KmmmmmmmmmmmmmmK",
             "KmgggggggggggmmK",
             "KmmmmmmmmmmmmmmK",
             "KmwwgmmwwgmmwwgK",
             "KmwGKmmwGKmmwGKK",
             "KmgKKmmgKKmmgKKK",
             "KmmmmmmmmmmmmmmK",
             "KKKKKKKKKKKKKKKK",
         }},
        {"menu07.png", // a blue stop square
         {
             "................",
             "................",
             "................",
             "...BBBBBBBBBB...",
             "...BcccccccbB...",
             "...BcbbbbbbbB...",
             "...BcbbbbbbbB...",
             "...BcbbbbbbbB...",
             "...BcbbbbbbbB...",
             "...BcbbbbbbbB...",
             "...BcbbbbbbbB...",
             "...BbbbbbbbbB...",
             "...BBBBBBBBBB...",
             "................",
             "................",
             "................",
         }},
        {"menu08.png", // letters A and B joined by dotted arrows: change a note
         {
             ".BBB............",
             "B...B...........",
             "B...B...........",
             "BBBBB.e.e.e.e...",
             "B...B........e..",
             "B...B...........",
             "B...B.......eee.",
             ".............e..",
             "..e.............",
             ".eee.......RRRR.",
             "...........R...R",
             "..e........R...R",
             "...e.e.e.e.RRRR.",
             "...........R...R",
             "...........R...R",
             "...........RRRR.",
         }},
        {"menu09.png", // a magnifying glass
         {
             "................",
             "...KKKK.........",
             "..KccccK........",
             ".KcwcccbK.......",
             ".KwcccccK.......",
             ".KccccccK.......",
             ".KccccccK.......",
             "..KcbbbK........",
             "...KKKKnN.......",
             "........nN......",
             ".........nNN....",
             ".........NnnN...",
             "..........NnnN..",
             "...........NnnN.",
             "............NnN.",
             ".............N..",
         }},
        {"menu10.png", // a window with a red arrow leaving its top-right corner: save as shown
         {
             ".........rrrrrrr",
             "..........rrrrrr",
             "...........rrrrr",
             "............rrrr",
             "KKKKKKKKKKKrRrrr",
             "KBBBBBBBBBrR..rr",
             "KwwwwwwwwrRK...r",
             "KwwwwwwwrRwK....",
             "KwwwwwwrRwwK....",
             "KwwwwwrRwwwK....",
             "KwwwwrRwwwwK....",
             "KwwwwwwwwwwK....",
             "KwwwwwwwwwwK....",
             "KwwwwwwwwwwK....",
             "KwwwwwwwwwwK....",
             "KKKKKKKKKKKK....",
         }},
        {"menu11.png", // a black cross: delete a note
         {
             "................",
             "................",
             ".kkk.......kkk..",
             "..kkk.....kkk...",
             "...kkk...kkk....",
             "....kkk.kkk.....",
             ".....kkkkk......",
             "......kkk.......",
             ".....kkkkk......",
             "....kkk.kkk.....",
             "...kkk...kkk....",
             "..kkk.....kkk...",
             ".kkk.......kkk..",
             "................",
             "................",
             "................",
         }},
        {"menu12.png", // a window with a blue title bar: other programs
         {
             "................",
             "KKKKKKKKKKKKKKKK",
             "KbbbbbbbbbbbbbbK",
             "KbccccbbbbbbwwbK",
             "KBBBBBBBBBBBBBBK",
             "KwwwwwwwwwwwwwhK",
             "KwwwwwwwwwwwwwhK",
             "KwwwwwwwwwwwwwhK",
             "KwwwwwwwwwwwwwhK",
             "KwwwwwwwwwwwwwhK",
             "KwwwwwwwwwwwwwhK",
             "KwwwwwwwwwwwwwhK",
             "KwwwwwwwwwwwwwhK",
             "KhhhhhhhhhhhhhhK",
             "KKKKKKKKKKKKKKKK",
             "................",
         }},
        {"menu13.png", // a floppy disk: save
         {
             "................",
             "KKKKKKKKKKKKKK..",
             "KBBwwwwwwwwwBBK.",
             "KBBwwwwwwwwwBBBK",
             "KBBwggggggwwBBBK",
             "KBBwwwwwwwwwBBBK",
             "KBBwggggggwwBBBK",
             "KBBwwwwwwwwwBBBK",
             "KBBBBBBBBBBBBBBK",
             "KBBBBBBBBBBBBBBK",
             "KBBBGGGGGGGGBBBK",
             "KBBBGGKKGGGGBBBK",
             "KBBBGGKKGGGGBBBK",
             "KBBBGGKKGGGGBBBK",
             "KBBBGGGGGGGGBBBK",
             "KKKKKKKKKKKKKKKK",
         }},
        {"menu14.png", // an open folder: open
         {
             "................",
             "................",
             ".NNNN...........",
             "NYYYYN..........",
             "NYYYYYNNNNNNN...",
             "NYYYYYYYYYYYN...",
             "NYYYNNNNNNNNNNNN",
             "NYYYNffffffffffN",
             "NYYNyyyyyyyyyyN.",
             "NYYNyyyyyyyyyyN.",
             "NYNyyyyyyyyyyN..",
             "NYNyyyyyyyyyyN..",
             "NNNNNNNNNNNNN...",
             "................",
             "................",
             "................",
         }},
        {"menu15.png", // a blank page: new list
         {
             "..KKKKKKKK......",
             "..KwwwwwwKK.....",
             "..KwwwwwwKgK....",
             "..KwwwwwwKggK...",
             "..KwwwwwwKKKKK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KwwwwwwwwwwK..",
             "..KKKKKKKKKKKK..",
         }},
        {"menu16.png", // a red record dot
         {
             "................",
             "................",
             "......RRRR......",
             "....RRrrrrRR....",
             "...RrpprrrrrR...",
             "...RrprrrrrrR...",
             "..RrrrrrrrrrrR..",
             "..RrrrrrrrrrrR..",
             "..RrrrrrrrrrrR..",
             "..RrrrrrrrrrrR..",
             "...RrrrrrrrrR...",
             "...RrrrrrrrrR...",
             "....RRrrrrRR....",
             "......RRRR......",
             "................",
             "................",
         }},
        {"menu17.png", // a pencil
         {
             "................",
             "...........KKK..",
             "..........KpppK.",
             ".........KGppRK.",
             "........KGGgRK..",
             ".......KfyGgK...",
             "......KfyyYK....",
             ".....KfyyYK.....",
             "....KfyyYK......",
             "...KfyyYK.......",
             "...KfyYK........",
             "..KnnYK.........",
             "..KnnK..........",
             ".KkK............",
             ".Kk.............",
             "................",
         }},
        {"menu18.png", // a globe
         {
             "................",
             "................",
             "......BBBB......",
             "....BBbbeeBB....",
             "...BbeeeeebbB...",
             "...BbeeeebbeB...",
             "..BbbeeebbeeeB..",
             "..BbbbeebbeeeB..",
             "..BbbbbeebbebB..",
             "..BbbbbeebbbbB..",
             "...BbbbbeeebB...",
             "...BbbbbeebbB...",
             "....BBbbbbBB....",
             "......BBBB......",
             "................",
             "................",
         }},
        {"menu19.png", // a blue information sign
         {
             "................",
             "................",
             "......BBBB......",
             "....BBbbbbBB....",
             "...BbbbwwbbbB...",
             "...BbbbbbbbbB...",
             "..BbbbwwwbbbbB..",
             "..BbbbbwwbbbbB..",
             "..BbbbbwwbbbbB..",
             "..BbbbbwwbbbbB..",
             "...BbbbwwbbbB...",
             "...BbbwwwwbbB...",
             "....BBbbbbBB....",
             "......BBBB......",
             "................",
             "................",
         }},
        {"menu20.png", // an artist's palette
         {
             "................",
             "................",
             ".....NNNNNN.....",
             "...NNffffffNN...",
             "..NffrrffbbffN..",
             ".NfffrrffbbfffN.",
             ".NffffffffffffN.",
             ".NyyffffffffeeN.",
             ".NyyffNNNfffeeN.",
             ".NfffN...NffffN.",
             "..NffN...NfffN..",
             "...NNN..NfffN...",
             "........NNNN....",
             "................",
             "................",
             "................",
         }},
        {"menu21.png", // a music note: play
         {
             "................",
             "........B.......",
             "........BB......",
             "........BbB.....",
             "........B.bB....",
             "........B..bB...",
             "........B...B...",
             "........B...B...",
             "........B..B....",
             "........B.......",
             "....BBBBB.......",
             "...BbbBBB.......",
             "..BbBBBBB.......",
             "..BBBBBB........",
             "...BBBB.........",
             "................",
         }},
    };
    return all;
}

bool saveImage(const QImage &image, const QDir &folder, const QString &fileName)
{
    const QString path = folder.filePath(fileName);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool drawPicture(const Picture &picture, const QDir &folder)
{
    const int height = static_cast<int>(picture.rows.size());
    const int width = static_cast<int>(picture.rows.front().size());
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int y = 0; y < height; ++y) {
        const std::string_view row = picture.rows[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != width) {
            std::fprintf(stderr, "draw_pictures: %s row %d is %zu pixels wide, not %d\n", picture.fileName, y,
                         row.size(), width);
            return false;
        }
        for (int x = 0; x < width; ++x) {
            const char key = row[static_cast<std::size_t>(x)];
            if (key == '.')
                continue;
            const auto entry =
                std::find_if(Palette.begin(), Palette.end(), [key](const PaletteEntry &e) { return e.key == key; });
            if (entry == Palette.end()) {
                std::fprintf(stderr, "draw_pictures: %s uses the unknown colour key '%c'\n", picture.fileName, key);
                return false;
            }
            painter.fillRect(x, y, 1, 1, QColor::fromRgb(entry->colour));
        }
    }
    painter.end();
    // Every pixel doubled, for screens scaled up: Qt takes the @2x file where it
    // finds one, so the art stays sharp instead of being smoothed up.
    const QString fileName = QString::fromLatin1(picture.fileName);
    const QImage doubled = image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return saveImage(image, folder, fileName) &&
           saveImage(doubled, folder, QString(fileName).replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
}

// The program's icon, a violin with its bow, drawn on a 256-unit canvas scaled to
// size pixels; strings, f-holes and bridge only where there are pixels to show them.
QImage drawProgramIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    const bool detailed = size >= 48;
    const QColor outline(0x4A, 0x1E, 0x08);
    const QColor ebony(0x1C, 0x16, 0x12);
    const QColor wood(0xB0, 0x5A, 0x1C);

    // The violin stands along its own axis, scroll up, leaning to the right.
    painter.translate(128, 128);
    painter.rotate(35);

    QPainterPath body;
    body.addEllipse(QPointF(0, -8), 46, 40);
    body.addEllipse(QPointF(0, 60), 54, 48);
    body.addRect(QRectF(-36, 0, 72, 52));
    body.setFillRule(Qt::WindingFill);
    QPainterPath waist;
    waist.addEllipse(QPointF(-46, 27), 17, 20);
    waist.addEllipse(QPointF(46, 27), 17, 20);
    body = body.simplified().subtracted(waist);
    QLinearGradient varnish(QPointF(-54, -48), QPointF(54, 108));
    varnish.setColorAt(0, QColor(0xE8, 0x9A, 0x3C));
    varnish.setColorAt(1, QColor(0x86, 0x36, 0x10));
    painter.setPen(QPen(outline, detailed ? 4 : 10));
    painter.setBrush(varnish);
    painter.drawPath(body);

    painter.setPen(QPen(outline, detailed ? 3 : 6));
    painter.setBrush(wood);
    painter.drawRoundedRect(QRectF(-9, -116, 18, 60), 4, 4); // neck and pegbox
    painter.drawEllipse(QPointF(0, -118), 13, 13);           // scroll
    painter.setPen(Qt::NoPen);
    painter.setBrush(ebony);
    painter.drawRoundedRect(QRectF(-10, -100, 20, 138), 5, 5);                  // fingerboard
    painter.drawPolygon(QPolygonF{{-11, 74}, {11, 74}, {15, 110}, {-15, 110}}); // tailpiece

    if (detailed) {
        painter.setPen(QPen(ebony, 3, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        for (const int side : {-1, 1}) {
            QPainterPath hole(QPointF(side * 22, 30));
            hole.cubicTo(QPointF(side * 30, 42), QPointF(side * 16, 52), QPointF(side * 24, 64));
            painter.drawPath(hole);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xF0, 0xD8, 0xA4));
        painter.drawRoundedRect(QRectF(-20, 46, 40, 7), 2, 2); // bridge
        painter.setPen(QPen(QColor(0xEE, 0xE6, 0xCC), 1.6));
        for (const qreal x : {-6.0, -2.0, 2.0, 6.0})
            painter.drawLine(QPointF(x, -104), QPointF(x * 1.4, 76));
    }

    // The bow crosses the strings between the fingerboard and the bridge.
    painter.translate(0, 44);
    painter.rotate(-15);
    painter.setPen(QPen(QColor(0xF4, 0xEE, 0xDC), detailed ? 4 : 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(-86, 5), QPointF(104, 5)); // hair
    painter.setPen(QPen(QColor(0x5A, 0x2A, 0x0C), detailed ? 6 : 12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(-90, -5), QPointF(110, -5)); // stick
    painter.setPen(Qt::NoPen);
    painter.setBrush(ebony);
    painter.drawRoundedRect(QRectF(-94, -10, 22, 20), 3, 3); // frog
    painter.end();
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_pictures <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        std::fprintf(stderr, "draw_pictures: no folder %s\n", argv[1]);
        return 1;
    }
    for (const Picture &picture : pictures()) {
        if (!drawPicture(picture, folder))
            return 1;
    }
    for (const int size : {16, 32, 48, 128, 256}) {
        if (!saveImage(drawProgramIcon(size), folder, QStringLiteral("icon%1.png").arg(size)))
            return 1;
    }
    return 0;
}

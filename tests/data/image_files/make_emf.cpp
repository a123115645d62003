// Writes the EMF pictures the metafile tests read, with libEMF (Debian libemf-dev):
//   g++ make_emf.cpp -lEMF -o /tmp/make_emf && (cd tests/data/image_files && /tmp/make_emf)
// Every file has an 80 x 60 mm frame; libEMF's reference device is 1024 x 768 pixels on
// 320 x 240 mm, so the frame is 256 x 192 device pixels and renders at 302 x 227.
#include <libEMF/emf.h>

namespace {

const RECT kFrame = {0, 0, 8000, 6000};

void Shapes()
{
    HDC dc = CreateEnhMetaFileA(0, "shapes.emf", &kFrame, "shapes");
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, red);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 10, 10, 60, 40);

    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(dc, blue);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, 80, 10, 140, 50);

    HPEN green = CreatePen(PS_SOLID, 3, RGB(0, 160, 0));
    SelectObject(dc, green);
    POINT line[3] = {{10, 100}, {100, 100}, {100, 150}};
    Polyline(dc, line, 3);

    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    SelectObject(dc, yellow);
    SelectObject(dc, GetStockObject(NULL_PEN));
    POINT tri[3] = {{150, 100}, {230, 100}, {190, 180}};
    Polygon(dc, tri, 3);

    // A shifted origin inside a saved state, then the state restored.
    SaveDC(dc);
    SetWindowOrgEx(dc, -200, -10, nullptr);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 0, 0, 40, 30);
    RestoreDC(dc, -1);
    SelectObject(dc, GetStockObject(GRAY_BRUSH));
    Rectangle(dc, 200, 150, 240, 180);

    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(red);
    DeleteObject(blue);
    DeleteObject(green);
    DeleteObject(yellow);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

void Mapping()
{
    HDC dc = CreateEnhMetaFileA(0, "mapping.emf", &kFrame, "mapping");
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, 1000, 1000, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetViewportExtEx(dc, 256, 192, nullptr);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    SelectObject(dc, magenta);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 0, 0, 500, 500); // the top left quarter

    // Two squares, the second inside the first, drawn as one polypolygon: alternate
    // filling leaves the inner one empty.
    POINT pts[8] = {{550, 50}, {950, 50}, {950, 450}, {550, 450},
                    {650, 150}, {850, 150}, {850, 350}, {650, 350}};
    INT counts[2] = {4, 4};
    SetPolyFillMode(dc, ALTERNATE);
    PolyPolygon(dc, pts, counts, 2);

    // A world transform moving the drawing by (0, 600) logical units, then a path.
    XFORM xf = {1, 0, 0, 1, 0, 600};
    SetWorldTransform(dc, &xf);
    HBRUSH cyan = CreateSolidBrush(RGB(0, 255, 255));
    SelectObject(dc, cyan);
    BeginPath(dc);
    MoveToEx(dc, 100, 0, nullptr);
    LineTo(dc, 400, 0);
    LineTo(dc, 400, 300);
    LineTo(dc, 100, 300);
    CloseFigure(dc);
    EndPath(dc);
    FillPath(dc);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
}

} // namespace

int main()
{
    Shapes();
    Mapping();
    return 0;
}

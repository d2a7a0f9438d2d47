#pragma once
#include <QString>

#include <functional>

class QWidget;

// The screenshot tool: each tools/screenshots/shots_*.cpp registers the screens it renders.
// A shot function prepares sample data in the (temporary) program folder, fills and shows
// its screen, and calls save().
struct ShotContext {
    QString outputFolder;
    QString programFolder;
    // Lays the widget out as the staff would see it (a maximized screen at 1366x768, a dialog
    // at its own size), renders it and writes <outputFolder>/<name>.png.
    void save(QWidget* widget, const QString& name) const;
    // Writes the first page of a printed PDF as <outputFolder>/<name>.png, at 80 dpi.
    void savePdfPage(const QString& pdf, const QString& name) const;
    // Lets queued events (layouts, timers) run.
    static void settle();
};

using ShotFunction = std::function<void(ShotContext&)>;

struct ShotRegistrar {
    ShotRegistrar(const char* group, ShotFunction function);
};

#define ONDERIA_SHOTS(group)                                                                       \
    static void shots_##group(ShotContext& ctx);                                                   \
    static ShotRegistrar registrar_##group(#group, shots_##group);                                 \
    static void shots_##group(ShotContext& ctx)

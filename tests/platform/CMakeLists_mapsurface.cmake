# Map surface, flood fill, palette picture and their widgets.
mapurix_add_test(NAME tst_mapsurface SOURCES tst_mapsurface.cpp LIBS mapurix_core)
mapurix_add_test(NAME tst_palette SOURCES tst_palette.cpp LIBS mapurix_core)
mapurix_add_test(NAME tst_mapview SOURCES tst_mapview.cpp LIBS mapurix_ui)

# The animated-GIF control and the sound output. The GIFs are made by
# tests/data/gifs/make.sh.
mapurix_add_test(NAME tst_animador SOURCES tst_animador.cpp LIBS mapurix_ui)
mapurix_add_test(NAME tst_qtsoundplayer SOURCES tst_qtsoundplayer.cpp LIBS mapurix_ui)

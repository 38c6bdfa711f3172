list(APPEND BROWSERS_SOURCES
  PictureFit.cpp PictureFit.h
  PictureBrowser.cpp PictureBrowser.h
  PicturePrinting.cpp
  PicturesRegistration.cpp PicturesRegistration.h)

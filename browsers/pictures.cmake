list(APPEND BROWSERS_SOURCES
  InstallOnce.h
  PictureFit.cpp PictureFit.h
  PictureBrowser.cpp PictureBrowser.h
  PicturePrinting.cpp
  PicturesRegistration.cpp PicturesRegistration.h)

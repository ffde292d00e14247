"""Measures of screenshots the tests compare: colours, differences, the game's own pictures."""

from PIL import ImageChops, ImageStat


def mean_colour(picture, box=None):
    """Average (r, g, b) over the picture or box = (left, top, right, bottom)."""
    return tuple(ImageStat.Stat(picture.crop(box) if box else picture).mean)


def count_pixels(picture, test, box=None):
    """How many pixels of the picture (or of box) satisfy test((r, g, b))."""
    region = picture.crop(box) if box else picture
    return sum(1 for p in region.getdata() if test(p))


def distinct_colours(picture, box=None):
    region = picture.crop(box) if box else picture
    return len(set(region.getdata()))


def quick_difference(a, b, box=None):
    """Mean absolute difference of two pictures (or of one box of them), 0 to 255, computed by
    the imaging library: fast enough to poll the screen."""
    if box:
        a, b = a.crop(box), b.crop(box)
    return sum(ImageStat.Stat(ImageChops.difference(a.convert("RGB"), b.convert("RGB"))).mean) / 3


def where_they_differ(a, b):
    """How many pixels of two pictures differ, the box (left, top, right, bottom) that holds them
    and the largest difference of one channel (0 to 255)."""
    red, green, blue = ImageChops.difference(a.convert("RGB"), b.convert("RGB")).split()
    most = ImageChops.lighter(red, ImageChops.lighter(green, blue))
    return sum(most.histogram()[1:]), most.getbbox(), most.getextrema()[1]


def closest_picture(shot, pictures):
    """The name of the picture (dict name -> picture) the screenshot looks most like, and the
    difference to each."""
    differences = {name: quick_difference(shot, picture) for name, picture in pictures.items()}
    return min(differences, key=differences.get), differences

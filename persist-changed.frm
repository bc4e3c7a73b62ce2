{
  "type": "Tavrin",
  "name": "Tavrin1",
  "width": 200,
  "height": 120,
  "properties": {
    "Alignment": 2,
    "Appearance": 0,
    "BackNormal": 15790320,
    "BackSelected": -2147483633,
    "BackSelectedG1": 65280,
    "BackSelectedG2": 255,
    "BorderColor": 8421504,
    "BorderWidth": 1,
    "BoxBorder": 1052688,
    "BoxOffset": 2,
    "BoxRadius": 4,
    "Enabled": false,
    "Focus": false,
    "Font": {
      "Name": "DejaVu Serif",
      "Size": 12.0,
      "Bold": true,
      "Italic": false,
      "Underline": false,
      "Strikethrough": false,
      "Weight": 700,
      "Charset": 0
    },
    "FontNormal": 1122867,
    "FontSelected": 4478310,
    "GotFocusEffect": true,
    "GotFocusEffectColor": -2147483635,
    "HoverSelection": true,
    "ItemHeight": 40,
    "ItemHeightAuto": false,
    "ItemOffset": 3,
    "ItemTextLeft": 7,
    "LeftMargin": 5,
    "MouseIcon": {
      "Picture": {
        "png": "iVBORw0KGgoAAAANSUhEUgAAACAAAAAgCAIAAAD8GO2jAAAAAXNSR0IArs4c6QAAAChJREFUSIntzTEBAAAIwzDAv2cwwb5UQNNb2Sb8BwAAAAAAAAAAAG8do8QBP9FSrSMAAAAASUVORK5CYII="
      }
    },
    "MousePointer": 2,
    "OrderType": 1,
    "RequiredField": true,
    "SelectionPicture": {
      "Picture": {
        "png": "iVBORw0KGgoAAAANSUhEUgAAACgAAAAQCAIAAADrtar6AAAAAXNSR0IArs4c6QAAACJJREFUOI1jZPjPMCCAaWCsHbV41OJRi0ctHrV41OLBaDEAB3oBH3WMIesAAAAASUVORK5CYII="
      }
    },
    "SelectMode": 1,
    "SelectModeStyle": 3,
    "ShowMenu": true,
    "Theme": 1,
    "WordWrap": false
  }
}

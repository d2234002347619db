Q0 := D0 & LOAD +
		 /LOAD &  /EN & Q0 +
		 /LOAD & EN &  /Q0
				; 3 
Q1 := D1 & LOAD +
		 /LOAD &  /EN & Q1 +
		 /LOAD & Q1 &  /Q0 +
		 /LOAD & EN &  /Q1 & Q0
				; 4 
Q2 := D2 & LOAD +
		 /LOAD &  /EN & Q2 +
		 /LOAD & Q2 &  /Q0 +
		 /LOAD & Q2 &  /Q1 +
		 /LOAD & EN &  /Q2 & Q1 & Q0
				; 5 
Q3 := D3 & LOAD +
		 /LOAD &  /EN & Q3 +
		 /LOAD & Q3 &  /Q0 +
		 /LOAD & Q3 &  /Q1 +
		 /LOAD & Q3 &  /Q2 +
		 /LOAD & EN &  /Q3 & Q2 & Q1 & Q0
				; 6 


$__SYMTAB_INFO:
Design_Name: counter
Gal_Type: 0
Gal_Mode: 4
Clk_Pin: 1
User_ID: __LEER

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: D3 Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D0 Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D1 Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D2 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: LOAD Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: EN Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 9 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NOE Pin_or_Node: 1 Number: 11 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 13 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q3 Pin_or_Node: 1 Number: 14 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q2 Pin_or_Node: 1 Number: 15 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q1 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q0 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 18 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 19 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
